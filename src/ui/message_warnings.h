#pragma once

// How the working window speaks to the user. Every warning of the program (input limits,
// geometry plausibility, file failures) is one message with an exclamation icon and one OK
// button; the questions (save changes, a way round a missing printer) are message boxes with
// their own buttons. The tests replace the message boxes with a recorder so nothing modal blocks
// them.

#include "design/input_box.h"
#include "design/warning_sink.h"

#include <QPointer>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

namespace korvel {

// The answer to "Save changes to NAME?".
enum class SaveChoice { save, discard, cancel };

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // A warning the user acknowledges before anything else happens.
    virtual void warning(const std::string& text) = 0;
    // "Save changes to NAME?" with Save, Discard and Cancel. Where nobody can be asked the work
    // is kept: Cancel.
    virtual SaveChoice askSaveChanges(const std::string& name);
    // A warning that offers a way round the problem: true when the user chose `action` (a button
    // beside OK). Where nobody can be asked it is a plain warning and the way round is not taken.
    virtual bool offer(const std::string& text, const std::string& action);
};

// "Save changes to NAME?"
std::string saveChangesQuestion(const std::string& name);

// The window the user is working in, over which a message or a file dialog opens: a profile,
// studies or batch window shares the main window's services, and what it asks belongs over it
// (the main window coming up over it would hide it). `fallback` when no window is active.
QWidget* workingWindow(QWidget* fallback);

// The desktop: a modal QMessageBox with the warning icon and one OK button, over the window the
// user is working in (a profile or studies window shares these messages with the main window).
class MessageBoxMessages final : public UserMessages {
public:
    explicit MessageBoxMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void warning(const std::string& text) override;
    SaveChoice askSaveChanges(const std::string& name) override;
    bool offer(const std::string& text, const std::string& action) override;

private:
    static void giveFocusBack(const QPointer<QWidget>& owner);

    QPointer<QWidget> parent_;
};

// The calculation's warnings (geometry plausibility), collected while the calculation runs and
// shown once it has finished: no message box opens a nested event loop while the design case is
// half recalculated, and the messages still appear in the order the checks gave them.
class MessageWarnings final : public WarningSink {
public:
    struct Pending {
        std::string message;
        InputBox focus = InputBox::none;
        bool operator==(const Pending& o) const { return message == o.message && focus == o.focus; }
    };

    void warn(const std::string& message, InputBox focus) override { pending_.push_back({message, focus}); }

    // The warnings given since the last call, in order; the list is empty afterwards.
    std::vector<Pending> take() { return std::exchange(pending_, {}); }
    bool empty() const { return pending_.empty(); }

private:
    std::vector<Pending> pending_;
};

} // namespace korvel
