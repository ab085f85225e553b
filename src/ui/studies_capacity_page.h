#pragma once

// The capacity page: the capacity curve of the case in the plane of two load groups as a closed
// line whose segments take the colour of the check that governs them, the case's own load point
// with its ray to the curve, the axes in MPa with compression negative, and equal scaling of
// the two axes as an option. Open rays (nothing limits them up to 100 times the reference) are
// drawn grey and dashed.

#include "studies/capacity_study.h"
#include "ui/study_page.h"

#include <optional>

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace korvel {

class CapacityPage final : public StudyPage {
    Q_OBJECT
public:
    CapacityPage(const Catalogue& catalogue, char decimalSeparator, QWidget* parent = nullptr);

    void recompute() override;
    QString studyTitle() const override;
    QString fileStem() const override;
    std::string dataTable() const override;
    void draw(QPainter& painter, const QRectF& target) override;
    QChartView* chartView() const override { return view_; }

    void setRequest(const CapacityRequest& request);
    void setEqualScaling(bool equal);
    bool equalScaling() const;

    const CapacityRequest& request() const { return request_; }
    const std::optional<CapacityResult>& result() const { return result_; }
    QChart* chart() const { return chart_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void readRequest();
    void showCurve();
    void scaleAxes();

    QComboBox* x_ = nullptr;
    QComboBox* y_ = nullptr;
    QComboBox* checks_ = nullptr;
    QSpinBox* rays_ = nullptr;
    QCheckBox* equal_ = nullptr;
    QLabel* note_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    CapacityRequest request_;
    std::optional<CapacityResult> result_;
    QRectF bounds_;        // of what the chart shows, in MPa
    bool scaling_ = false; // the axes are being set: their own plot-area change is not followed
};

} // namespace korvel
