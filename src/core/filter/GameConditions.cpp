#include "core/filter/GameConditions.h"

#include "core/filter/ConditionFields.h"
#include "core/io/TextFile.h"
#include "core/io/TextFormat.h"

#include <nlohmann/json.hpp>

namespace velmora {

namespace {

// Called only on a text parseScheme accepted, so the document and its "conditions"
// object are there.
bool namesTestCodeRows(std::string_view text)
{
    if (startsWithUtf8Bom(text))
        text.remove_prefix(kUtf8Bom.size());
    const nlohmann::json doc = nlohmann::json::parse(text);
    const nlohmann::json& conditions = doc.at("conditions");
    const auto rows = conditions.find(conditionField(Condition::RecentTest).key);
    return rows != conditions.end() && !rows->empty();
}

} // namespace

FilterConditions conditionsForGame(const Game& game, FilterConditions conditions)
{
    if (!game.hasTestCodes)
        copyCondition(conditionField(Condition::RecentTest), conditions, FilterConditions {});
    return conditions;
}

std::string schemeNoTestCodesMessage(const Game& game)
{
    return std::string(kSchemeErrorLeadingText) + std::string(game.name) + "没有试机号（"
        + conditionField(Condition::RecentTest).key + "）";
}

SchemeReadResult parseSchemeForGame(const Game& game, std::string_view text)
{
    SchemeReadResult result = parseScheme(text);
    if (result.ok() && !game.hasTestCodes && namesTestCodeRows(text)) {
        result.scheme.reset();
        result.error = schemeNoTestCodesMessage(game);
    }
    return result;
}

SchemeReadResult readSchemeFileForGame(const Game& game, const std::string& path)
{
    return parseSchemeForGame(game, readTextFile(path));
}

} // namespace velmora
