#include "fe/panel_stresses.h"

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

// Centroids on an edge of the plate field count as inside.
constexpr double edgeSlack = 1e-6;

constexpr std::uint8_t layerBit(StressLayer layer) {
    return static_cast<std::uint8_t>(1U << static_cast<unsigned>(layer));
}
constexpr std::uint8_t plainBit = layerBit(StressLayer::none);
constexpr std::uint8_t topBit = layerBit(StressLayer::top);
constexpr std::uint8_t midBit = layerBit(StressLayer::mid);
constexpr std::uint8_t bottomBit = layerBit(StressLayer::bottom);

const char* layerName(StressLayer layer) {
    switch (layer) {
    case StressLayer::none:
        return "";
    case StressLayer::top:
        return ", layer top";
    case StressLayer::mid:
        return ", layer mid";
    case StressLayer::bottom:
        return ", layer bottom";
    }
    return "";
}

// A grid index of a coordinate, bounded so that far-off points still give a valid key.
std::int64_t cellIndex(double v, double cell) {
    const double i = std::floor(v / cell);
    return static_cast<std::int64_t>(std::clamp(i, -1e6, 1e6));
}

std::uint64_t packCell(std::int64_t i, std::int64_t j, std::int64_t k) {
    const auto part = [](std::int64_t v) { return static_cast<std::uint64_t>(v + (1 << 20)) & 0x1FFFFFU; };
    return part(i) | (part(j) << 21U) | (part(k) << 42U);
}

// splitmix64's finaliser: element numbers often come in runs, which it spreads over the table.
std::uint64_t spread(std::int64_t elem) {
    auto z = static_cast<std::uint64_t>(elem) + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31U);
}

} // namespace

ElementIndex::Found ElementIndex::findOrAdd(std::int64_t elem, std::uint32_t next) {
    // Kept at most 70 % full, so that a probe ends soon.
    if (10 * (count_ + 1) > 7 * keys_.size()) grow();
    const std::size_t mask = keys_.size() - 1;
    for (std::size_t i = spread(elem) & mask;; i = (i + 1) & mask) {
        if (members_[i] == empty) {
            keys_[i] = elem;
            members_[i] = next;
            ++count_;
            return {next, true};
        }
        if (keys_[i] == elem) return {members_[i], false};
    }
}

void ElementIndex::grow() {
    std::vector<std::int64_t> keys(std::max<std::size_t>(16, 2 * keys_.size()));
    std::vector<std::uint32_t> members(keys.size(), empty);
    const std::size_t mask = keys.size() - 1;
    for (std::size_t k = 0; k < keys_.size(); ++k) {
        if (members_[k] == empty) continue;
        std::size_t i = spread(keys_[k]) & mask;
        while (members[i] != empty) i = (i + 1) & mask;
        keys[i] = keys_[k];
        members[i] = members_[k];
    }
    keys_.swap(keys);
    members_.swap(members);
}

Membrane membraneOf(const LayerSlot& slot) {
    if ((slot.seen & (plainBit | midBit)) != 0) return {slot.s, {}};
    if ((slot.seen & topBit) != 0 && (slot.seen & bottomBit) != 0)
        return {{slot.s.sx / 2, slot.s.sy / 2, slot.s.txy / 2}, {}};
    if (slot.seen == 0) return {{}, "no row"};
    return {{},
            std::string("a ") + ((slot.seen & topBit) != 0 ? "top" : "bottom") + " row without its " +
                ((slot.seen & topBit) != 0 ? "bottom" : "top") + " row and no mid row"};
}

PanelSorter::PanelSorter(const std::vector<PanelField>& fields, double planeTolerance, StressLayout layout)
    : fields_(&fields), tolerance_(planeTolerance), stores_(fields.size()), layout_(layout) {
    for (const PanelField& f : fields) cell_ = std::max({cell_, f.L1, f.s, 2 * planeTolerance});
    cell_ *= 1.01;
    for (std::size_t p = 0; p < fields.size(); ++p) {
        const PanelField& f = fields[p];
        Vec3 lo{1e300, 1e300, 1e300}, hi{-1e300, -1e300, -1e300};
        for (const double u : {0.0, f.L1})
            for (const double v : {0.0, f.s})
                for (const double w : {-planeTolerance, planeTolerance}) {
                    const Vec3 q{f.axes.O.x + u * f.axes.x.x + v * f.axes.y.x + w * f.axes.n.x,
                                 f.axes.O.y + u * f.axes.x.y + v * f.axes.y.y + w * f.axes.n.y,
                                 f.axes.O.z + u * f.axes.x.z + v * f.axes.y.z + w * f.axes.n.z};
                    lo = {std::min(lo.x, q.x), std::min(lo.y, q.y), std::min(lo.z, q.z)};
                    hi = {std::max(hi.x, q.x), std::max(hi.y, q.y), std::max(hi.z, q.z)};
                }
        for (std::int64_t i = cellIndex(lo.x - 1, cell_); i <= cellIndex(hi.x + 1, cell_); ++i)
            for (std::int64_t j = cellIndex(lo.y - 1, cell_); j <= cellIndex(hi.y + 1, cell_); ++j)
                for (std::int64_t k = cellIndex(lo.z - 1, cell_); k <= cellIndex(hi.z + 1, cell_); ++k)
                    grid_[packCell(i, j, k)].push_back(static_cast<std::uint32_t>(p));
    }
}

std::uint64_t PanelSorter::cellKey(const Vec3& q) const {
    return packCell(cellIndex(q.x, cell_), cellIndex(q.y, cell_), cellIndex(q.z, cell_));
}

void PanelSorter::add(const StressRow& row, std::size_t lc, const std::string& fileName) {
    const auto cell = grid_.find(cellKey(row.centroid));
    if (cell == grid_.end()) return;
    hits_.clear();
    for (const std::uint32_t p : cell->second) {
        const PanelField& f = (*fields_)[p];
        const Vec3 q = panelCoordinates(f.axes, row.centroid);
        if (q.x >= -edgeSlack && q.x <= f.L1 + edgeSlack && q.y >= -edgeSlack && q.y <= f.s + edgeSlack &&
            std::fabs(q.z) <= tolerance_)
            hits_.push_back(p);
    }
    for (const std::uint32_t p : hits_) addTo(p, row, lc, fileName, hits_.size() > 1);
}

void PanelSorter::addTo(std::size_t panel, const StressRow& row, std::size_t lc, const std::string& fileName,
                        bool shared) {
    const PanelField& f = (*fields_)[panel];
    PanelStore& store = stores_[panel];
    const std::string where = fileName + ":" + std::to_string(row.line) + ": element " + std::to_string(row.elem);
    PlaneStress s;
    if (layout_ == StressLayout::global) {
        s = fromGlobalTensor(f.axes, row.global);
    } else if (const auto local = fromElementAxes(f.axes, row.s11, row.s22, row.s12, row.e1)) {
        s = *local;
    } else {
        store.faults.push_back(where + ": its first axis e1 is normal to the panel");
        return;
    }
    const auto [m, added] = store.index.findOrAdd(row.elem, static_cast<std::uint32_t>(store.members.size()));
    if (added) {
        const Vec3 q = panelCoordinates(f.axes, row.centroid);
        store.members.push_back({row.elem, q.x, q.y, row.area, shared});
    }
    if (shared) store.members[m].shared = true;
    if (store.byLc.size() <= lc) store.byLc.resize(lc + 1);
    std::vector<LayerSlot>& slots = store.byLc[lc];
    if (slots.size() <= m) slots.resize(std::max<std::size_t>(m + 1, store.members.size()));
    LayerSlot& slot = slots[m];
    const std::uint8_t bit = layerBit(row.layer);
    if ((slot.seen & bit) != 0) {
        store.faults.push_back(where + ", load case " + row.lc + layerName(row.layer) +
                               ": a second row (the first at line " + std::to_string(slot.line) + ")");
        return;
    }
    if (slot.seen == 0) slot.line = row.line;
    if (row.layer == StressLayer::mid || row.layer == StressLayer::none) {
        slot.s = s;
    } else if ((slot.seen & midBit) == 0) {
        slot.s = {slot.s.sx + s.sx, slot.s.sy + s.sy, slot.s.txy + s.txy};
    }
    slot.seen |= bit;
}

} // namespace korvel
