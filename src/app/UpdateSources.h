// The addresses the online update downloads the draw history from, kept in the settings.
#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace velmora {

class Platform;
struct Game;

// The game's public full history (oldest first) that its shipped history comes from.
QStringList defaultUpdateSources(const Game& game);

// The user's list of the game, or its default list until the user saved one (an empty
// list stays empty). Each game has a list of its own.
QStringList updateSources(Platform& platform, const Game& game);
void setUpdateSources(Platform& platform, const Game& game, const QStringList& sources);

// What an update of the game tries, in order: <VELMORA_SERVER>/<the game's server file>
// (3dcp.txt, pl3cp.txt) first when that variable is set, then the user's list. Empty
// when there is no source at all.
QList<QUrl> updateSourceUrls(Platform& platform, const Game& game);

// An address the list accepts: http or https with a host. Returns the reason it is not
// one, or the empty text when it is.
QString updateSourceProblem(const QString& address);

// Why a downloaded text is no draw history (an error page, say).
inline constexpr const char* kNotDrawDataReason = "不是开奖数据";

// The warning after every source failed: the caption, then one line per source
// tried, "address：reason".
QString updateFailureText(const QStringList& failures);

// What an online update fetched: the draw lines of the history a source gave, or
// nothing, and then whether the user chose to edit the sources (the caller opens
// "数据源设置").
struct UpdateFetch {
    std::optional<std::vector<std::string>> lines;
    bool editSources = false;
    // Why no source gave a history, for a quiet fetch (nothing was shown).
    QString failure;
};

// What an online update did to the history.
enum class UpdateOutcome { NewDraws, NothingNew, Failed };

// Fetches the game's draw history of an online update into tmp.txt beside dataFile and
// reads it as the game's: the sources of updateSourceUrls in order, until one gives a
// history.
// When no source gave one the user has been told why: no source at all (editSources
// is set); bad lines in what a source sent (the bad-line message; no further source
// is tried, as this one did answer); every source failing (a warning naming each
// with its reason, offering the sources dialog). Cancel in the progress dialog ends
// the update at once, without a message and without trying another source.
UpdateFetch fetchUpdate(
    Platform& platform, QWidget* parent, const Game& game, const QString& dataFile, int timeoutMs);
// The same without a message box or question: what fetchUpdate would show is the
// failure (no source, bad lines in a source, every source failing).
UpdateFetch fetchUpdateQuietly(
    Platform& platform, QWidget* parent, const Game& game, const QString& dataFile, int timeoutMs);

} // namespace velmora
