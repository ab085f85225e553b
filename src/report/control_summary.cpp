#include "report/control_summary.h"

#include "report/buckling_listing.h"
#include "report/yield_listing.h"

namespace korvel {

std::vector<ListingRow> controlSummary(const DesignCase& dc, const BesideValues* beside) {
    std::vector<ListingRow> rows;
    RowCounter counter; // the first row of the list is row 1
    switch (dc.analysis) {
    case analysisBuckling:
        appendBucklingRows(rows, counter, dc, beside);
        break;
    case analysisScantlingYield:
        appendScantlingYieldRows(rows, counter, dc, beside);
        break;
    default:
        appendBucklingRows(rows, counter, dc, beside);
        // The scantling title takes the number after the last buckling row.
        if (counter.advance()) appendScantlingYieldRows(rows, counter, dc, beside);
        break;
    }

    if (dc.fault.stopped() && counter.advance()) {
        ListingWriter out(rows, counter);
        out.remark(stoppedRemark(dc));
    }
    return rows;
}

bool showsIncludeDeformation(const DesignCase& dc) {
    return dc.analysis == analysisBuckling;
}

} // namespace korvel
