// "添加开奖": one draw of a game typed by hand. 期号 starts as the issue after the
// latest; each field is checked on OK and a fault is shown beside it; an issue the
// history has already is replaced only after the user agrees. A game without test
// codes asks only 期号 and 开奖号. The result is the game's draw line.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace velmora {

class Platform;
struct Game;

class AddDrawDialog : public QDialog {
    Q_OBJECT

public:
    // lines: the draw-data text's lines, for the next issue and the existing ones.
    AddDrawDialog(
        Platform& platform, const Game& game, std::vector<std::string> lines, QWidget* parent = nullptr);

    // After OK: "YYYYIII,DDD,TTT,M,B", or "YYYYIII,DDD" without test codes.
    std::string drawLine() const;
    // After OK: true when the issue was in the history and the user chose to replace it.
    bool replacesExisting() const { return m_replaces; }

    void accept() override;

private:
    struct Field {
        QLineEdit* edit = nullptr;
        QLabel* error = nullptr;
    };
    enum FieldIndex { Issue, DrawCode, TestCode, Machine, Ball, FieldCount };

    // A labelled line edit with its error label beside it, named <name>Edit and <name>Error.
    Field addField(int row, const QString& name, const QString& caption, int length, const QString& initial);
    // The fault of a field's text, or the empty text.
    QString problemOf(FieldIndex index) const;

    Platform& m_platform;
    const Game& m_game;
    std::vector<std::string> m_lines;
    // Only 期号 and 开奖号 are made for a game without test codes.
    Field m_fields[FieldCount];
    int m_fieldCount = FieldCount;
    bool m_replaces = false;
};

} // namespace velmora
