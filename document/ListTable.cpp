// Splitting a decoded list into rows and fields.
#include "document/ListTable.h"

#include <algorithm>
#include <map>

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == 0xA0 || c == u'\r' || c == u'\n' || c == 0xFEFF;
}

// Trims the ends and makes every inner run of blanks and line breaks one space: a cell text has
// no line breaks of its own.
std::u16string Tidy(std::u16string_view s) {
    std::u16string out;
    bool pendingSpace = false;
    for (char16_t c : s) {
        if (IsBlank(c)) {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out.push_back(u' ');
        pendingSpace = false;
        out.push_back(c);
    }
    return out;
}

// Splits at most `maxRows` rows (0 for all).
std::vector<ListRow> SplitRows(std::u16string_view text, char16_t separator, size_t maxRows) {
    std::vector<ListRow> rows;
    ListRow row;
    std::u16string field;
    int line = 1;
    row.line = 1;
    bool quoted = false; // inside a quoted part
    bool anyText = false;
    auto endField = [&] {
        row.fields.push_back(Tidy(field));
        anyText = anyText || !row.fields.back().empty();
        field.clear();
    };
    auto endRow = [&] {
        endField();
        if (anyText) rows.push_back(std::move(row));
        row = ListRow{};
        anyText = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (maxRows && rows.size() >= maxRows) return rows;
        char16_t c = text[i];
        bool lineBreak = c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'));
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field.push_back(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field.push_back(c);
            }
            if (lineBreak) ++line;
            continue;
        }
        if (c == u'"' && std::all_of(field.begin(), field.end(), IsBlank)) {
            // A quote opens a quoted field only at its start; blanks before it do not count.
            field.clear();
            quoted = true;
        } else if (c == separator) {
            endField();
        } else if (lineBreak) {
            endRow();
            ++line;
            row.line = line;
        } else if (c != u'\r') {
            field.push_back(c);
        }
    }
    endRow();
    return rows;
}

// How many of the first rows share the commonest count of fields, when that count is above one.
size_t AgreeingRows(const std::vector<ListRow>& rows) {
    std::map<size_t, size_t> counts;
    for (const ListRow& row : rows)
        if (row.fields.size() > 1) ++counts[row.fields.size()];
    size_t best = 0;
    for (const auto& [fields, count] : counts)
        best = std::max(best, count);
    return best;
}

} // namespace

ListTable ReadListTable(std::u16string_view text) {
    constexpr size_t kRowsTried = 60;
    ListTable table;
    size_t best = 0;
    // Ties go to tab, then semicolon: titles and names hold commas far more often.
    for (char16_t separator : {u'\t', u';', u','}) {
        size_t agreeing = AgreeingRows(SplitRows(text, separator, kRowsTried));
        if (agreeing > best) {
            best = agreeing;
            table.separator = separator;
        }
    }
    table.rows = SplitRows(text, table.separator, 0);
    return table;
}
