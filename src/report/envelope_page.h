#pragma once

// A panel's page in a batch report: its load case × check matrix. A row per utilisation check
// (its value in each load case in the verdict colours, the governing cell of the check boxed and
// in bold), a row per OK/NOK rule (OK or NOK), and the verdict of each load case; the envelope
// column gives the highest value and its load case. A panel with more load cases than fit across
// the page runs onto further pages, the first column repeated.
//
// Drawn in millimetres of the printable area.

#include "figures/drawing_surface.h"
#include "files/panel_envelope.h"
#include "report/batch_summary_page.h"
#include "report/printed_report.h"

#include <cstddef>
#include <string>

namespace korvel {

// Load cases across one page.
inline constexpr std::size_t envelopeColumnsPerPage = 8;

// The pages a panel's matrix takes: one per envelopeColumnsPerPage load cases, at least one.
std::size_t envelopePageCount(const PanelEnvelope& panel);

// Draws page `part` (from 0) of the panel's matrix; the panel must have kept its load cases.
void composeEnvelopePage(DrawingSurface& page, const PanelEnvelope& panel, std::size_t part, const PageSize& size,
                         const ReportTime& time, const SummaryPageMarks& marks);

} // namespace korvel
