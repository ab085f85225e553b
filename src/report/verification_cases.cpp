#include "report/verification_cases.h"

#include "engine/assessment.h"
#include "files/batch_file.h"
#include "files/batch_run.h"
#include "report/case_fields.h"
#include "report/verification_table.h"

#include <limits>
#include <string>
#include <variant>

namespace korvel {

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// Catches one named quantity as the detail listing passes it.
class FieldCatcher final : public CaseFieldVisitor {
public:
    explicit FieldCatcher(std::string_view name) : name_(name) {}
    void field(std::string_view name, double value) override { take(name, value); }
    void field(std::string_view name, float value) override { take(name, value); }
    void field(std::string_view name, int value) override { take(name, value); }
    void field(std::string_view, const std::string&) override {}
    double value = notANumber;

private:
    void take(std::string_view name, double v) {
        if (name == name_) value = v;
    }
    std::string_view name_;
};

} // namespace

Catalogue verificationCatalogue() {
    Catalogue c;
    c.materials.rows = {{"Hull A-E", 235, 400, 1.0},
                        {"Hull AH32", 315, 440, 0.78},
                        {"Hull AH36", 355, 490, 0.72},
                        {"Hull AH40", 390, 510, 0.68},
                        {"User defined", 235, 400, 0.976}};
    c.bf.rows[0] = {0, 200, 10, 28, 8, 2560};
    c.bf.lastRow = 0;
    return c;
}

DesignCase calculatedCase(const std::function<void(CaseInputs&)>& edit) {
    DesignCase dc;
    resetToNewFile(dc);
    dc.plateMaterial = verificationUserGrade;
    dc.stiffenerMaterial = verificationUserGrade;
    dc.Fyp = 355;
    dc.Fup = 490;
    dc.Fys = 355;
    dc.Fus = 490;
    dc.stiffenerType = stiffLBuiltUp; // the catalogue has no rolled angles
    edit(dc);
    IgnoreWarnings warnings;
    runCase(dc, verificationCatalogue(), {}, warnings);
    return dc;
}

double detailValue(const DesignCase& dc, std::string_view name) {
    if (dc.fault.stopped()) return notANumber;
    FieldCatcher catcher(name);
    visitCaseFields(dc, catcher);
    return catcher.value;
}

DesignCase verificationPanelCase() {
    DesignCase dc;
    resetToNewFile(dc);
    const Catalogue catalogue = verificationCatalogue();
    const BatchRead read =
        readBatchText(verificationPanelInput, "verification-panel.kori", DecimalMode::period, catalogue);
    const auto* list = std::get_if<BatchList>(&read);
    const int first = list ? list->caseIndex(1) : -1;
    if (first < 0) {
        dc.fault = {"the verification panel", "its batch input has no case"};
        return dc;
    }
    IgnoreWarnings warnings;
    runBatchCase(list->entries[static_cast<std::size_t>(first)], dc, catalogue, warnings);
    return dc;
}

} // namespace korvel
