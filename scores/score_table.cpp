#include "scores/score_table.h"

#include <cstdio>

#include "app/shared_state.h"
#include "display/draw.h"
#include "platform/display.h"
#include "platform/input.h"

namespace scores {
namespace {

constexpr int kGraphHeight = 150, kColumnPitch = 18, kPinTopRow = 1000, kDotFrame = 7;

struct Table {
    int level, mode, flags;
    bool Holds(const Scores& r) const { return r.Level == level && r.GameMode == mode && r.GameFlags == flags; }
};

bool InTop(const ScoreRef& r) {
    for (int k = 1; k <= kTopRows; ++k)
        if (app::shared.TopTable[k] == r) return true;
    return false;
}

// Newest first, so of two equal scores the newer ranks higher. Returns the best score.
int32_t Rank(const Table& table) {
    auto& top = app::shared.TopTable;
    for (int k = 1; k <= kTopRows; ++k) top[k].reset();
    int32_t best = 0;
    for (const ScoreRef& r : app::shared.LocalScores) {
        if (!table.Holds(*r)) continue;
        if (r->Score > best) best = int32_t(r->Score);
        int slot = 0;
        for (int k = 1; k <= kTopRows && !slot; ++k)
            if (top[k] && top[k]->Score < r->Score) slot = k;
        for (int k = 1; k <= kTopRows && !slot; ++k)
            if (!top[k]) slot = k;
        if (!slot) continue;
        for (int k = kTopRows; k > slot; --k) top[k] = top[k - 1];
        top[slot] = r;
    }
    return best == 0 ? 1 : best;
}

void Colour(int r, int g, int b, float a = display::AlphaUnchanged) { display::SetDrawColour(float(r), float(g), float(b), a); }

// One run's column of the history graph, joined to the newer run's point at its right.
void DrawRun(const ScoreRef& r, int n, int hx, int base, int32_t best, bool& hasPrevious, int& px, int& py) {
    auto& s = app::shared;
    const int h = int(r->Score * kGraphHeight / best), y = base - h;
    Colour(255 - h, 255, 80, 1);
    display::DrawBudgeted(s.IconsSmooth, hx - 8, y - 8, kDotFrame, 1);
    Colour(255, h + 80, 80);
    if (hasPrevious) platform::drawLine(float(hx), float(y), float(px), float(py));
    Colour(0, 0, 0, 0.3f);
    platform::drawLine(float(hx - 9), float(base - kGraphHeight), float(hx - 9), float(base - 1));
    hasPrevious = true, px = hx, py = y;
    if (display::MouseInRect(hx - 9, base - kGraphHeight, 19, kGraphHeight)) {
        s.HoverRecord = r;
        if (platform::mouseDown(1)) s.PinnedIndex = n;
    }
    if (s.HoverRecord == r) {
        Colour(255, 255, 255, 0.3f);
        platform::drawRect(float(hx - 9), float(base - kGraphHeight), 19, kGraphHeight);
    }
}

// The graph, newest at the right; runs past the 50 newest leave the list unless still ranked.
void DrawHistory(const Table& table, int x, int base, int32_t best) {
    auto& s = app::shared;
    int hx = s.VirtualWidth - 24 + s.HistoryScroll, n = 0, px = 0, py = 0;
    bool hasPrevious = false;
    for (auto it = s.LocalScores.begin(); it != s.LocalScores.end();) {
        const ScoreRef r = *it;
        if (!table.Holds(*r)) {
            ++it;
            continue;
        }
        if (++n == s.PinnedIndex && !s.HoverRecord) s.HoverRecord = r;
        if (hx > x + 1) {
            DrawRun(r, n, hx, base, best, hasPrevious, px, py);
            hx -= kColumnPitch;
        }
        it = n >= kKeptRuns + 1 && !InTop(r) ? s.LocalScores.erase(it) : std::next(it);
    }
}

void Scroll(int width, int base) {
    auto& s = app::shared;
    if (display::MouseInRect(s.VirtualWidth - width - 32, base - kGraphHeight, 64, kGraphHeight) && s.HistoryScroll < 1000)
        s.HistoryScroll += 8;
    if (display::MouseInRect(s.VirtualWidth - 32, base - kGraphHeight, 62, kGraphHeight) && s.HistoryScroll > 0)
        s.HistoryScroll -= 8;
}

void DrawTopList(int x, int width, int base) {
    auto& s = app::shared;
    display::SelectFontSlot(3);
    for (int k = 1; k <= kTopRows; ++k) {
        const ScoreRef r = s.TopTable[k];
        if (!r) continue;
        if (s.PinnedIndex == kPinTopRow + k && !s.HoverRecord) s.HoverRecord = r;
        Colour(255, 255, 255, 1);
        const int y = base - 596 + 17 * k;
        if (display::MouseInRect(x + 9, y, width, 18)) {
            s.HoverRecord = r;
            if (platform::mouseDown(1)) s.PinnedIndex = kPinTopRow + k;
        }
        display::TextAt(x + 9, y, r->Name.substr(0, 24), 0, 0);
        const std::string padded = "000000000000" + std::to_string(r->Score);
        display::TextAt(x + width + 1, y, padded.substr(padded.size() - 12), 2, 0);
        if (s.HoverRecord == r) {
            Colour(255, 255, 255, 0.3f);
            platform::drawRect(float(x + 9), float(y), float(width), 17);
        }
    }
}

void DrawDetails(const Scores& r, int x, int width, int base) {
    auto& s = app::shared;
    Colour(255, 255, 255, 0.6f);
    platform::drawRect(float(x + 3), float(base - 719), float(width), 140);
    display::SelectFontSlot(1);
    Colour(80, 80, 0);
    display::TextAt(x + 9, base - 715, r.Name, 0, 0);
    Colour(0, 0, 80);
    display::TextAt(x + width + 1, base - 694, std::to_string(r.Score), 2, 0);
    display::SelectFontSlot(4);
    Colour(0, 80, 0);
    if (r.Best[30] == 1) display::TextAt(x + 9, base - 669, "Complete!", 0, 1);
    Colour(0, 0, 0, 1);
    display::SelectFontSlot(3);
    display::TextAt(x + 9, base - 583, DateText(r.Timestamp) + ", " + TimeText(r.Timestamp), 0, 2);
    display::SetDrawScale(0.28f);
    Colour(255, 255, 255, 1);
    for (int k = 1; k <= s.BadgeCount; ++k)
        if (r.Badges & (1 << (k - 1))) display::DrawBudgeted(s.BadgeImages, x + 11 + 20 * (k - 1), base - 629, k - 1, 1);
    display::SetDrawScale(1);
}

std::string TwoDigits(int64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(v));
    return text;
}

}  // namespace

void ScoreTableView(int x, int width, int mode, int level, int flags, int draw) {
    auto& s = app::shared;
    const Table table{level, mode, flags};
    const int32_t best = Rank(table);
    if (draw == 0) return;
    const int base = s.VirtualHeight - 10;
    display::SetDrawScale(1);
    display::ResetDrawState();
    Colour(0, 0, 0, 0.6f);
    platform::drawRect(float(x + 7), float(base - 583), float(width + 2), 575);
    Colour(0, 0, 80, 1);
    platform::drawLine(float(x + 7), float(base - kGraphHeight), float(s.VirtualWidth - 8), float(base - kGraphHeight));
    s.HoverRecord.reset();
    DrawHistory(table, x, base, best);
    Scroll(width, base);
    DrawTopList(x, width, base);
    if (s.HoverRecord) DrawDetails(*s.HoverRecord, x, width, base);
}

std::string TimeText(int64_t t) {
    return TwoDigits((t / 3600) % 24) + ":" + TwoDigits((t / 60) % 60) + ":" + TwoDigits(t % 60);
}

std::string DateText(int64_t t) {
    const int64_t q = t / 86400;
    const int64_t day = ((q - 1) % 31) + 1;
    const int64_t r = (q - day) / 31;
    const int64_t month = ((r - 1) % 12) + 1;
    const int64_t year = (r - month) / 12;
    char year4[24];
    std::snprintf(year4, sizeof year4, "%04lld", static_cast<long long>(year));
    return TwoDigits(day) + "-" + TwoDigits(month) + "-" + year4;
}

}  // namespace scores
