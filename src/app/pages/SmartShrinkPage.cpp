#include "app/pages/SmartShrinkPage.h"

#include "app/HistoryDocument.h"
#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/pages/BadDataNotice.h"
#include "app/platform/Platform.h"
#include "core/code/CodeSetText.h"
#include "core/io/TextFile.h"
#include "core/smart/SmartShrink.h"
#include "widgets/GroupBox.h"
#include "widgets/TrackBar.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <optional>

namespace velmora {

SmartShrinkPage::SmartShrinkPage(
    Platform& platform, ResultCommands& commands, const HistoryDocument& history, QWidget* parent)
    : Page(platform, parent)
    , m_commands(commands)
    , m_history(&history)
{
    setObjectName(QStringLiteral("smartShrinkPage"));
    QVBoxLayout* layout = makeWorkPageLayout();
    m_badData = new BadDataNotice(history, this);
    layout->addWidget(m_badData);
    addToolBarCommand(QStringLiteral("导入号码"), [this] { importCodes(); });
    addToolBarCommand(QStringLiteral("从文件导入…"), [this] { importCodeFile(); });
    toolBar()->addSeparator();
    addResultCommands([this] { m_commands.exportResult(m_result, kSmartShrinkLeadingText); },
        [this] { m_commands.checkPrize(m_resultMemo); }, [this] { m_commands.printMemo(m_resultMemo); },
        [this] { m_commands.checkLatestDraw(m_resultMemo); });

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel = panel;
    m_panel->setObjectName(QStringLiteral("panel"));
    // The panels are centred whenever the page's panel changes size.
    m_panel->installEventFilter(this);

    m_memoPanel = new QWidget(m_panel);
    m_memoPanel->setObjectName(QStringLiteral("memoPanel"));
    m_memoPanel->setGeometry(1, 1, 764, 360);
    auto* baseBox = new GroupBox(QStringLiteral("缩水基础号码："), m_memoPanel);
    baseBox->setObjectName(QStringLiteral("baseBox"));
    baseBox->setGeometry(4, 6, 373, 339);
    m_baseCount = makeCountLabel(baseBox, QStringLiteral("baseCount"));
    m_baseMemo = makeCodeMemo(baseBox, QStringLiteral("baseMemo"));
    // "已忽略：…" below the base when its reading skipped items; the memo makes room.
    auto* ignored = new QLabel(baseBox);
    ignored->setObjectName(QStringLiteral("baseIgnored"));
    ignored->setTextFormat(Qt::PlainText);
    ignored->setGeometry(11, m_baseMemo->geometry().bottom() - 17, m_baseMemo->width(), 18);
    ignored->hide();
    const QRect memoRect = m_baseMemo->geometry();
    connect(m_baseMemo, &QPlainTextEdit::textChanged, ignored, [this, ignored, memoRect] {
        const QString skipped
            = toQString(ignoredItemsText(readCodeList(toStdString(m_baseMemo->toPlainText()))));
        ignored->setText(ignored->fontMetrics().elidedText(skipped, Qt::ElideRight, ignored->width()));
        ignored->setToolTip(skipped);
        ignored->setVisible(!skipped.isEmpty());
        m_baseMemo->setGeometry(memoRect.adjusted(0, 0, 0, skipped.isEmpty() ? 0 : -20));
    });
    auto* resultBox = new GroupBox(QStringLiteral("智能缩水结果："), m_memoPanel);
    resultBox->setObjectName(QStringLiteral("resultBox"));
    resultBox->setGeometry(388, 6, 373, 339);
    m_resultCount = makeCountLabel(resultBox, QStringLiteral("resultCount"));
    m_resultMemo = makeCodeMemo(resultBox, QStringLiteral("resultMemo"));
    createLevelPanel();
    // The sunken frame's pixel on each side around the panels.
    addScrolledContent(
        layout, m_panel, QSize(m_memoPanel->width() + 2, m_levelPanel->geometry().bottom() + 2));
}

void SmartShrinkPage::createLevelPanel()
{
    m_levelPanel = new QWidget(m_panel);
    m_levelPanel->setObjectName(QStringLiteral("levelPanel"));
    m_levelPanel->setGeometry(232, 360, 289, 33);
    QFont bold = appFont();
    bold.setBold(true);
    m_levelPanel->setFont(bold);
    colourLevelPanel();

    // The caption is wider here than in the design's font, so the slider and the
    // button follow it instead of sitting at fixed places beneath it.
    m_levelCaption = new QLabel(QStringLiteral("缩水级别："), m_levelPanel);
    m_levelCaption->setObjectName(QStringLiteral("levelCaption"));

    m_levelSlider = new TrackBar(Qt::Horizontal, m_levelPanel);
    m_levelSlider->setObjectName(QStringLiteral("levelSlider"));
    m_levelSlider->setRange(kMinShrinkLevel, kMaxShrinkLevel);
    m_levelSlider->setValue(1);
    m_levelSlider->setTickPosition(QSlider::TicksBelow);
    m_levelSlider->setTickInterval(1);
    // Every key and a click in the channel move one level; Home and End go to the ends.
    m_levelSlider->setPageStep(1);
    m_levelSlider->setSingleStep(1);
    m_levelSlider->setSelection(kMinShrinkLevel, m_levelSlider->value());

    m_levelValue = new QLabel(m_levelPanel);
    m_levelValue->setObjectName(QStringLiteral("levelValue"));
    m_levelValue->setAlignment(Qt::AlignCenter);
    m_levelValue->setNum(m_levelSlider->value());
    connectCommand(m_levelSlider, &QSlider::valueChanged, [this] {
        m_levelSlider->setSelection(kMinShrinkLevel, m_levelSlider->value());
        m_levelValue->setNum(m_levelSlider->value());
    });

    auto* runButton = new QPushButton(QStringLiteral("智能缩水"), m_levelPanel);
    runButton->setObjectName(QStringLiteral("runButton"));
    m_levelButton = runButton;
    QAction* run = addPageCommand(QStringLiteral("智能缩水"), [this] { runSmartShrink(); });
    run->setShortcut(kRunShortcut);
    connect(runButton, &QPushButton::clicked, run, &QAction::trigger);
}

void SmartShrinkPage::placeLevelControls()
{
    QLabel* caption = m_levelCaption;
    caption->adjustSize();
    caption->move(1, (m_levelPanel->height() - caption->height()) / 2);
    m_levelSlider->setGeometry(caption->geometry().right() + 5, 4, 100, 24);
    m_levelValue->setGeometry(m_levelSlider->geometry().right() + 3, caption->y(),
        m_levelValue->fontMetrics().horizontalAdvance(QString::number(kMaxShrinkLevel)) + 6,
        caption->height());
    m_levelButton->setGeometry(m_levelValue->geometry().right() + 5, 5, 75, 25);
}

void SmartShrinkPage::showEvent(QShowEvent* event)
{
    if (!m_levelPlaced) {
        placeLevelControls();
        m_levelPlaced = true;
    }
    Page::showEvent(event);
}

void SmartShrinkPage::colourLevelPanel()
{
    // Blue as the links of the palette: dark blue on a light window, light blue on a dark one.
    const QColor blue = QApplication::palette().color(QPalette::Link);
    QPalette palette = m_levelPanel->palette();
    palette.setColor(QPalette::WindowText, blue);
    palette.setColor(QPalette::ButtonText, blue);
    m_levelPanel->setPalette(palette);
}

void SmartShrinkPage::changeEvent(QEvent* event)
{
    if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        && m_levelPanel != nullptr)
        colourLevelPanel();
    Page::changeEvent(event);
}

void SmartShrinkPage::importCodes()
{
    if (!m_importable) {
        platform().showWarning(this, QString::fromUtf8(kNoFilterResultText));
        return;
    }
    showImported(*m_importable, QStringLiteral("从号码缩水结果导入"));
}

void SmartShrinkPage::importCodeFile()
{
    const QString path
        = platform().openFileName(this, QStringLiteral("文本文件|*.txt|所有文件|*"), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    // A file that cannot be read raises FileError, which the command shows.
    const CodeSet codes = readCodeList(readTextFile(toStdString(path))).codes;
    showImported(codes, QStringLiteral("从文件") + QFileInfo(path).fileName() + QStringLiteral("导入"));
}

void SmartShrinkPage::showImported(const CodeSet& codes, const QString& source)
{
    m_baseMemo->setPlainText(memoTextOfLines(codeSetToLines(codes)));
    m_baseCount->setText(toQString(smartShrinkImportText(codes)));
    emit statusTextChanged(source + QString::number(codeSetCount(codes)) + QStringLiteral("注"));
}

void SmartShrinkPage::runSmartShrink()
{
    // The base is read from the memo at every run; a refusal keeps even the old base set.
    if (m_badData->active()) {
        platform().showWarning(this, QString::fromUtf8(BadDataNotice::kText));
        return;
    }
    const CodeSet base = readCodeList(toStdString(m_baseMemo->toPlainText())).codes;
    const std::optional<CodeSet> result = smartShrink(base, m_levelSlider->value(), m_history->records());
    if (!result) {
        platform().showWarning(this, QString::fromUtf8(kSmartShrinkRefusal));
        return;
    }
    if (codeSetCount(base) == 0) {
        platform().showWarning(this, QString::fromUtf8(kEmptyBaseText));
        return;
    }
    m_base = base;
    m_result = *result;
    m_resultMemo->setPlainText(memoTextOfLines(codeSetToLines(m_result)));
    const QString text = toQString(smartShrinkResultText(m_result));
    m_resultCount->setText(text);
    emit statusTextChanged(text);
}

void SmartShrinkPage::layOutPanels()
{
    const int width = m_panel->width();
    m_memoPanel->move((width - m_memoPanel->width()) / 2, 1);
    m_levelPanel->move((width - m_levelPanel->width()) / 2, m_levelPanel->y());
}

bool SmartShrinkPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        layOutPanels();
    return Page::eventFilter(watched, event);
}

void SmartShrinkPage::setHistory(const HistoryDocument& history)
{
    // The result and the filter result it could import came from another game's
    // history; the base typed or imported stays.
    if (&history.game() != &m_history->game()) {
        m_importable.reset();
        m_result = CodeSet {};
        m_resultMemo->clear();
        m_resultCount->clear();
    }
    m_history = &history;
    m_badData->setHistory(history);
}

} // namespace velmora
