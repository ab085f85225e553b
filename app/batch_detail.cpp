#include "batch_detail.h"

#include "design/number_format.h"
#include "report/case_fields.h"

#include <string>

namespace korvel {

namespace {

// Values in general number form of their own precision, so a float shows the digits it holds.
class DetailLines final : public CaseFieldVisitor {
public:
    explicit DetailLines(std::ostream& out) : out_(out) {}
    void field(std::string_view name, double value) override { line(name, generalNumber(value)); }
    void field(std::string_view name, float value) override { line(name, generalNumber(value)); }
    void field(std::string_view name, int value) override { line(name, std::to_string(value)); }
    void field(std::string_view name, const std::string& value) override { line(name, value); }

private:
    void line(std::string_view name, const std::string& value) { out_ << name << " = " << value << '\n'; }
    std::ostream& out_;
};

} // namespace

void writeCaseDetail(std::ostream& out, const DesignCase& dc) {
    DetailLines lines(out);
    visitCaseFields(dc, lines);
}

} // namespace korvel
