#include "kitbase/model/ZRMotorDbRecordset.h"

#include "platform/core/Text.h"

#include <cctype>

namespace {

bool IsWordStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

} // namespace

void ZRMotorDbRecordset::SetFilter(const std::string& filter, std::vector<platform::db::Value> params) {
    platform::db::Recordset::SetFilter(EngineCondition(filter), std::move(params));
}

bool ZRMotorDbRecordset::FindFirst(const std::string& condition,
                                   std::initializer_list<platform::db::Param> params) {
    return platform::db::Recordset::FindFirst(EngineCondition(condition), params);
}

bool ZRMotorDbRecordset::FindNext(const std::string& condition,
                                  std::initializer_list<platform::db::Param> params) {
    return platform::db::Recordset::FindNext(EngineCondition(condition), params);
}

std::string ZRMotorDbRecordset::EngineCondition(const std::string& condition) {
    std::string out;
    out.reserve(condition.size() + 8);
    bool afterLike = false;
    size_t i = 0;
    const size_t n = condition.size();
    while (i < n) {
        char c = condition[i];
        if (c == '[') {
            size_t end = condition.find(']', i);
            end = end == std::string::npos ? n : end + 1;
            out.append(condition, i, end - i);
            i = end;
            afterLike = false;
        } else if (c == '\'' || c == '"') {
            // A text in either quote becomes a single-quoted text; a doubled quote inside is one quote.
            std::string text;
            size_t j = i + 1;
            bool closed = false;
            while (j < n) {
                if (condition[j] == c) {
                    if (j + 1 < n && condition[j + 1] == c) {
                        text += c;
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                text += condition[j++];
            }
            if (!closed) {
                // Left for the engine to refuse.
                out.append(condition, i, n - i);
                break;
            }
            out += '\'';
            for (char t : text) {
                if (afterLike && t == '*')
                    out += '%';
                else if (afterLike && t == '?')
                    out += '_';
                else if (t == '\'')
                    out += "''";
                else
                    out += t;
            }
            out += '\'';
            i = j;
            afterLike = false;
        } else if (IsWordStart(c)) {
            size_t j = i;
            while (j < n && IsWordChar(condition[j]))
                ++j;
            std::string_view word(condition.data() + i, j - i);
            // The flux rows' Index column is a reserved word of the engine.
            if (platform::core::EqualsNoCase(word, "Index"))
                out += "[Index]";
            else
                out += word;
            afterLike = platform::core::EqualsNoCase(word, "LIKE");
            i = j;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (i < n && (IsWordChar(condition[i]) || condition[i] == '.'))
                out += condition[i++];
            afterLike = false;
        } else {
            out += c;
            ++i;
            if (!std::isspace(static_cast<unsigned char>(c)))
                afterLike = false;
        }
    }
    return out;
}
