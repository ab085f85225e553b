#include "report/control_summary.h"

#include "report/buckling_listing.h"
#include "report/yield_listing.h"

namespace korvel {

std::vector<ListingRow> controlSummary(const DesignCase& dc, const DesignCase* other, char decimalSeparator) {
    return controlSummary(ListedCase(dc, decimalSeparator, other));
}

std::vector<ListingRow> controlSummary(const ListedCase& c) {
    const DesignCase& dc = c.dc();
    std::vector<ListingRow> rows;
    RowCounter counter; // the first row of the list is row 1
    switch (dc.analysis) {
    case analysisBuckling:
        appendBucklingRows(rows, counter, c);
        break;
    case analysisScantlingYield:
        appendScantlingYieldRows(rows, counter, c);
        break;
    default:
        appendBucklingRows(rows, counter, c);
        // The scantling title takes the number after the last buckling row.
        if (counter.advance()) appendScantlingYieldRows(rows, counter, c);
        break;
    }

    if (dc.fault.stopped() && counter.advance()) {
        ListingWriter out(rows, counter);
        out.remark(stoppedRemark(dc, c.separator()));
    }
    return rows;
}

bool showsIncludeDeformation(const DesignCase& dc) {
    return dc.analysis == analysisBuckling;
}

} // namespace korvel
