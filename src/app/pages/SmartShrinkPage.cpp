#include "app/pages/SmartShrinkPage.h"

#include "app/HistoryDocument.h"
#include "app/ResultCommands.h"
#include "app/UiSupport.h"
#include "app/platform/Platform.h"
#include "core/code/CodeSetText.h"
#include "core/smart/SmartShrink.h"
#include "widgets/GroupBox.h"
#include "widgets/TrackBar.h"

#include <QAction>
#include <QEvent>
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
    , m_history(history)
{
    setObjectName(QStringLiteral("smartShrinkPage"));
    QVBoxLayout* layout = makeWorkPageLayout();
    addToolBarCommand(QStringLiteral("导入号码"), [this] { importCodes(); });
    toolBar()->addSeparator();
    QAction* exportResult = addToolBarCommand(QStringLiteral("导出结果"),
        [this] { m_commands.exportResult(m_result, kSmartShrinkLeadingText, true); });
    QAction* checkPrize
        = addToolBarCommand(QStringLiteral("结果兑奖"), [this] { m_commands.checkPrize(m_resultMemo); });
    QAction* printResult
        = addToolBarCommand(QStringLiteral("打印结果"), [this] { m_commands.printMemo(m_resultMemo); });
    setResultShortcuts(exportResult, checkPrize, printResult);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel = panel;
    m_panel->setObjectName(QStringLiteral("panel"));
    // The panels are centred whenever the page's panel changes size.
    m_panel->installEventFilter(this);
    layout->addWidget(m_panel, 1);

    m_memoPanel = new QWidget(m_panel);
    m_memoPanel->setObjectName(QStringLiteral("memoPanel"));
    m_memoPanel->setGeometry(1, 1, 764, 360);
    auto* baseBox = new GroupBox(QStringLiteral("缩水基础号码："), m_memoPanel);
    baseBox->setObjectName(QStringLiteral("baseBox"));
    baseBox->setGeometry(4, 6, 373, 339);
    m_baseCount = makeCountLabel(baseBox, QStringLiteral("baseCount"));
    m_baseMemo = makeCodeMemo(baseBox, QStringLiteral("baseMemo"));
    auto* resultBox = new GroupBox(QStringLiteral("智能缩水结果："), m_memoPanel);
    resultBox->setObjectName(QStringLiteral("resultBox"));
    resultBox->setGeometry(388, 6, 373, 339);
    m_resultCount = makeCountLabel(resultBox, QStringLiteral("resultCount"));
    m_resultMemo = makeCodeMemo(resultBox, QStringLiteral("resultMemo"));
    createLevelPanel();
}

void SmartShrinkPage::createLevelPanel()
{
    m_levelPanel = new QWidget(m_panel);
    m_levelPanel->setObjectName(QStringLiteral("levelPanel"));
    m_levelPanel->setGeometry(232, 360, 289, 33);
    QFont bold = appFont();
    bold.setBold(true);
    m_levelPanel->setFont(bold);
    QPalette palette = m_levelPanel->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    palette.setColor(QPalette::ButtonText, Qt::blue);
    m_levelPanel->setPalette(palette);

    // The caption is wider here than in the design's font, so the slider and the
    // button follow it instead of sitting at fixed places beneath it.
    auto* caption = new QLabel(QStringLiteral("缩水级别："), m_levelPanel);
    caption->setObjectName(QStringLiteral("levelCaption"));
    caption->adjustSize();
    caption->move(1, (m_levelPanel->height() - caption->height()) / 2);

    m_levelSlider = new TrackBar(Qt::Horizontal, m_levelPanel);
    m_levelSlider->setObjectName(QStringLiteral("levelSlider"));
    m_levelSlider->setRange(kMinShrinkLevel, kMaxShrinkLevel);
    m_levelSlider->setValue(1);
    m_levelSlider->setTickPosition(QSlider::TicksBelow);
    m_levelSlider->setTickInterval(1);
    // Page Up/Down and a click in the channel step one level; an arrow key goes to an end.
    m_levelSlider->setPageStep(1);
    m_levelSlider->setSingleStep(10);
    m_levelSlider->setGeometry(caption->geometry().right() + 5, 4, 100, 24);
    m_levelSlider->setSelection(kMinShrinkLevel, m_levelSlider->value());
    connectCommand(m_levelSlider, &QSlider::valueChanged,
        [this] { m_levelSlider->setSelection(kMinShrinkLevel, m_levelSlider->value()); });

    auto* runButton = new QPushButton(QStringLiteral("智能缩水"), m_levelPanel);
    runButton->setObjectName(QStringLiteral("runButton"));
    runButton->setGeometry(m_levelSlider->geometry().right() + 9, 5, 75, 25);
    QAction* run = addPageCommand(QStringLiteral("智能缩水"), [this] { runSmartShrink(); });
    run->setShortcut(kRunShortcut);
    connect(runButton, &QPushButton::clicked, run, &QAction::trigger);
}

void SmartShrinkPage::importCodes()
{
    m_baseMemo->setPlainText(memoTextOfLines(codeSetToLines(m_importable)));
    const QString text = toQString(smartShrinkImportText(m_importable));
    m_baseCount->setText(text);
    emit statusTextChanged(text);
}

void SmartShrinkPage::runSmartShrink()
{
    // The base is read from the memo at every run; a refusal keeps even the old base set.
    CodeSet base;
    linesToCodeSet(memoLines(m_baseMemo), base);
    const std::optional<CodeSet> result = smartShrink(base, m_levelSlider->value(), m_history.records());
    if (!result) {
        platform().showMessage(this, QString::fromUtf8(kSmartShrinkRefusal));
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

} // namespace velmora
