#pragma once

// The profile windows: ten stiffener windows (one per profile type) and two girder windows. They
// share one base that shows the bare and plated section properties, the proportion check, the
// cross-section figure with its to-scale caption and the OK button, and that runs the edit fields
// of the built-up windows (focus colours, Enter order, limits on leaving and on closing). The
// table windows, the built-up stiffener windows and the girder windows add only what differs.
//
// Every accepted change selects the profile (girder: girder properties), re-applies the stiffener
// material, recalculates the whole case and tells the owner, so the main window's designation,
// picture button and results follow the window at once.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/number_parser.h"
#include "sections/profile_types.h"
#include "ui/message_warnings.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QGridLayout;
class QLabel;
class QPushButton;

namespace korvel {

class LineInput;
class ProfileFigureWidget;

// What a profile window edits and whom it tells. The case, the catalogue and the messages belong
// to the owner and outlive its windows.
struct ProfileDialogContext {
    DesignCase& dc;
    const Catalogue& catalogue;
    DecimalMode decimalMode = DecimalMode::period;
    // Limit messages, "Input string mismatch " and the calculation's geometry warnings; nullptr:
    // message boxes over the window.
    UserMessages* messages = nullptr;
    // Called after every accepted change and after closing: the owner refreshes its designation,
    // picture button and results.
    std::function<void()> applied;
};

// Opens (or raises) the modeless window of stiffener type `type` (0 to 9) owned by `owner`,
// editing ctx.dc. Returns nullptr for an invalid type.
QWidget* openStiffenerDialog(QWidget* owner, const ProfileDialogContext& ctx, int type);
// The same for girder type 1 (angle) or 3 (tee).
QWidget* openGirderDialog(QWidget* owner, const ProfileDialogContext& ctx, int girderType);
// As above, with the messages shown as message boxes over the window.
QWidget* openStiffenerDialog(QWidget* owner, DesignCase& dc, const Catalogue& cat, DecimalMode mode, int type,
                             std::function<void()> applied);
QWidget* openGirderDialog(QWidget* owner, DesignCase& dc, const Catalogue& cat, DecimalMode mode, int girderType,
                          std::function<void()> applied);
// Closes every profile window of `owner` without its closing checks or calculation: the case is
// about to be replaced (Open, New, a batch case).
void closeProfileDialogs(QWidget* owner);

// The edit fields of the built-up windows; RHS and Trapez edit their wall thickness as tw.
enum class ProfileField { H, B, tw, tf, a };

class ProfileDialog : public QWidget {
    Q_OBJECT
public:
    enum class Kind { stiffener, girder };

    ~ProfileDialog() override;

    struct WindowOptions {
        QString name;              // "stiffl", "girdtg" ...
        QString caption;           // "Stiffener: L-table" ...
        double leftFraction = 0.2; // of the free width of the main window, from its left edge
        std::string izUnit;        // unit text of Iz; empty: the type shows no Iz
        bool backgroundFlipsFigure = false;
    };
    struct FieldSpec {
        ProfileField field;
        QString caption; // "H =", "t =" ...
    };
    // What a window checks when it closes: the thicknesses then need 1 mm, not 0.1 mm.
    enum class ClosingRule {
        none,        // table windows: nothing typed
        checkFields, // re-read every field, check the listed ones
        leaveField,  // the field being edited runs its leaving step, nothing more
    };

    Kind kind() const { return kind_; }
    // Stiffener type code 0 to 9, or girder type 1 / 3.
    int typeCode() const { return type_; }

    // Reads the case afresh: stores the window's type, selects the profile, recalculates, fills the
    // list or the fields, shows the properties and redraws.
    void activate();
    // Places the window over its owner, shows it and activates it (first opening); raises it and
    // reads the case again when it is already open.
    void openOverOwner();
    // Closes without the closing checks and without calculating.
    void discard();

    // The open profile window called `name` among the windows of `owner`, or nullptr.
    static ProfileDialog* findOpen(QWidget* owner, const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    ProfileDialog(QWidget* owner, ProfileDialogContext ctx, Kind kind, int type, const WindowOptions& options);

    // Where a subclass puts its list, dimension labels or edit fields.
    QGridLayout* inputArea() const { return inputArea_; }
    // Edit fields in their Enter order (the last one returns to the first), into the input area.
    void addFields(const std::vector<FieldSpec>& fields);
    void setClosingRule(ClosingRule rule, std::vector<ProfileField> checked = {});
    // The control that has the focus when the window first shows (the list, or the first field).
    void setFirstFocus(QWidget* widget);

    // The stored value behind a field and the texts of all fields through their masks (the
    // built-up set of the type or the girder set). Windows without fields keep the defaults.
    virtual double fieldValue(ProfileField field) const;
    virtual void storeFieldValue(ProfileField field, double value);
    virtual EditFieldTexts fieldTexts() const;
    // Fills the list and the dimension labels, or the fields, from the case; by default every
    // field shows its stored value through its mask.
    virtual void fillInputs();

    // Selects the profile of the window's type (or of the current type when closing), re-applies
    // the stiffener material and recalculates, then shows properties, redraws and tells the owner.
    void applyProfile(bool windowType);

    // A number text of the core (period) in the user's decimal separator.
    QString shown(const std::string& text) const;
    DesignCase& dc() const { return ctx_.dc; }
    const Catalogue& catalogue() const { return ctx_.catalogue; }
    DecimalMode decimalMode() const { return ctx_.decimalMode; }
    void warn(const std::string& message);

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct EditField {
        FieldSpec def;
        LineInput* edit = nullptr;
    };

    void buildShared(const WindowOptions& options);
    void recalculate(bool windowType);
    void showProperties();
    // The figure; with `caption` also the to-scale caption in its drawing form ("Figure to Scale").
    void redraw(bool caption = true);
    void flipFigure();
    void leaveField(EditField& f);
    void moveToNextField(const EditField& f);
    void returnFocus(LineInput* edit);
    std::optional<double> readField(EditField& f);
    void showFieldText(EditField& f);
    bool closingChecks();
    void placeOverOwner();

    ProfileDialogContext ctx_;
    Kind kind_;
    int type_;
    double leftFraction_;
    bool backgroundFlipsFigure_;
    std::string izUnit_;
    std::unique_ptr<UserMessages> ownMessages_;

    QGridLayout* inputArea_ = nullptr;
    QWidget* firstFocus_ = nullptr;
    std::vector<EditField> fields_;
    ClosingRule closingRule_ = ClosingRule::none;
    std::vector<ProfileField> closingChecked_;

    QLabel* sta_ = nullptr;
    QLabel* stg_ = nullptr;
    QLabel* stiy_ = nullptr;
    QLabel* stiz_ = nullptr;
    QLabel* se_ = nullptr;
    QLabel* ae_ = nullptr;
    QLabel* zp_ = nullptr;
    QLabel* iy_ = nullptr;
    QLabel* wep2_ = nullptr;
    QLabel* wes2_ = nullptr;
    QLabel* toScaleNote_ = nullptr;
    bool captionNotToScale_ = true;
    ProfileFigureWidget* sectionFigure_ = nullptr;
    ProfileFigureWidget* flangeWebFigure_ = nullptr;
    QPushButton* okButton_ = nullptr;

    MessageWarnings calculationWarnings_;
    bool busy_ = false;   // a leaving step or the closing checks run: their own focus moves are no leavings
    bool closed_ = false; // closed or discarded: nothing more runs
    bool discarding_ = false;
    bool fieldWarned_ = false; // the field being left was warned about: the calculation stays quiet
};

} // namespace korvel
