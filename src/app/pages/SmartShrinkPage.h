// The smart shrink page "智能缩水": a base set of codes (imported from the filter
// result or a code list file, or typed), the shrink level, and the result with its
// commands.
#pragma once

#include "app/pages/Page.h"
#include "core/code/CodeSet.h"

#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmora {

class BadDataNotice;
class HistoryDocument;
class ResultCommands;
class TrackBar;

class SmartShrinkPage : public Page {
    Q_OBJECT

public:
    SmartShrinkPage(
        Platform& platform, ResultCommands& commands, const HistoryDocument& history, QWidget* parent);

    // The codes "导入号码" brings into the base memo: the filter page's last result.
    void setImportableCodes(const CodeSet& codes) { m_importable = codes; }

    // The refusal of a run on a base without codes, and of "导入号码" before the
    // filter page has a result.
    static constexpr const char* kEmptyBaseText
        = "基础号码为空：请先导入号码，或在“缩水基础号码”中输入号码。";
    static constexpr const char* kNoFilterResultText = "还没有号码缩水结果：请先在“缩水”页进行号码缩水。";
    // The base and the result of the last run that was not refused.
    const CodeSet& base() const { return m_base; }
    const CodeSet& result() const { return m_result; }

    // The history of the game in front; the page reads it from now on.
    void setHistory(const HistoryDocument& history);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createLevelPanel();
    // The caption's bold width decides where the rest go. Measured when the page is first
    // shown: loading the bold face costs start-up a few megabytes.
    void placeLevelControls();
    // The level panel's texts in the palette's blue.
    void colourLevelPanel();
    void importCodes();
    // "从文件导入…": a code list file read as the base is read from the memo.
    void importCodeFile();
    // Puts the codes into the base memo; the status bar reads source, the count, "注".
    void showImported(const CodeSet& codes, const QString& source);
    void runSmartShrink();
    // Centres the panels in the page's width.
    void layOutPanels();

    ResultCommands& m_commands;
    const HistoryDocument* m_history;
    // Shown while the text has bad lines; the page's command then says so.
    BadDataNotice* m_badData = nullptr;
    // None until the filter page has produced a result.
    std::optional<CodeSet> m_importable;
    CodeSet m_base;
    CodeSet m_result;

    QWidget* m_panel = nullptr;
    QWidget* m_memoPanel = nullptr;
    QWidget* m_levelPanel = nullptr;
    QLabel* m_baseCount = nullptr;
    QLabel* m_resultCount = nullptr;
    QPlainTextEdit* m_baseMemo = nullptr;
    QPlainTextEdit* m_resultMemo = nullptr;
    // The shrink level 0 .. 6; it highlights the range from 0 to its position.
    TrackBar* m_levelSlider = nullptr;
    QLabel* m_levelValue = nullptr;
    QLabel* m_levelCaption = nullptr;
    QPushButton* m_levelButton = nullptr;
    bool m_levelPlaced = false;
};

} // namespace velmora
