#include "settings/Form_Edit_Test.h"

#include "core/Codecs.h"
#include "platform/CodeplugDocument.h"
#include "core/NumberText.h"
#include "platform/Layouts.h"
#include "platform/Messages.h"
#include "core/Texts.h"
#include "platform/InputHooks.h"
#include "core/SettingsRules.h"
#include "platform/WindowLanguage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int PresetCount = 16;
constexpr int FrequencyColumn = 1;

// A grid format string: "|" separates the columns, "^" centres one.
QStringList headerTexts(const QString &format)
{
    QStringList texts = format.split(QLatin1Char('|'));
    for (QString &t : texts)
        if (t.startsWith(QLatin1Char('^')))
            t.remove(0, 1);
    return texts;
}

} // namespace

Form_Edit_Test::Form_Edit_Test(WindowRegistry &registry)
    : ChildWindow(WindowId::Form_Edit_Test, registry),
      MSF_chann(new QTableWidget(PresetCount, 2, this)), Text_Edit(new QLineEdit(this)),
      Command_close(new QPushButton(this)), Command_help(new QPushButton(this))
{
    setObjectName(QStringLiteral("Form_Edit_Test"));
    MSF_chann->setObjectName(QStringLiteral("MSF_chann"));
    Text_Edit->setObjectName(QStringLiteral("Text_Edit"));
    Command_close->setObjectName(QStringLiteral("Command_close"));
    Command_help->setObjectName(QStringLiteral("Command_help"));

    MSF_chann->verticalHeader()->hide();
    // Rows as low as the text, so that all 16 presets show at once.
    MSF_chann->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSF_chann->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    MSF_chann->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSF_chann->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab goes on to the buttons, as from the channel grid; the arrows move
    // between the cells.
    MSF_chann->setTabKeyNavigation(false);
    MSF_chann->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < PresetCount; ++r)
        for (int c = 0; c < 2; ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            MSF_chann->setItem(r, c, item);
        }
    Text_Edit->hide();

    auto *buttons = centeredButtonRow({Command_close, Command_help});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MSF_chann);
    layout->addLayout(buttons);

    connect(MSF_chann, &QTableWidget::currentCellChanged, this, [this] { MSF_chann_LeaveCell(); });
    connect(MSF_chann, &QTableWidget::cellClicked, this, &Form_Edit_Test::MSF_chann_Click);
    onFocusLost(MSF_chann, [this] { MSF_chann_LostFocus(); });
    connect(Text_Edit, &QLineEdit::textEdited, this, &Form_Edit_Test::Text_Edit_Change);
    connect(Command_close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    setEscapeButton(Command_close); // Close is always allowed
}

void Form_Edit_Test::Form_Load()
{
    ChildWindow::Form_Load();
    const QSize main = mainWindowSize();
    const int w = main.width() / 2;
    const int h = qRound(main.height() / 1.3);
    placeWindow((main.width() - w) / 2, qMax(0, (main.height() - h) / 10), w, h);
    for (int r = 1; r <= PresetCount; ++r)
        MSF_chann->item(r - 1, 0)->setText(QString::number(r - 1));
    setWindowTitle(langText("收音机编辑", "Radio Frequency"));
    MSF_chann->setHorizontalHeaderLabels(headerTexts(
        langText("^收  音  频  道 |^    频      率  (MHZ) ", "^Radio Channel |^ Frequency (MHZ)")));
    // Never lower than its rows under the header with its captions, or the
    // last preset hides behind a scroll bar at 1024x768.
    MSF_chann->setMinimumHeight(MSF_chann->horizontalHeader()->sizeHint().height()
                                + PresetCount * MSF_chann->verticalHeader()->defaultSectionSize()
                                + 2 * MSF_chann->frameWidth());
    Command_close->setText(langText("关闭", "Close"));
    Command_help->setText(langText("帮助", "Help"));
    ShowPresets();
}

void Form_Edit_Test::Form_Activate()
{
    ShowPresets();
}

QString Form_Edit_Test::cellText(int row) const
{
    return MSF_chann->item(row - 1, FrequencyColumn)->text();
}

void Form_Edit_Test::setCellText(int row, const QString &text)
{
    MSF_chann->item(row - 1, FrequencyColumn)->setText(text);
}

void Form_Edit_Test::ShowPresets()
{
    for (int k = 0; k < PresetCount; ++k)
        setCellText(k + 1, fmPresetText(image(), k));
}

void Form_Edit_Test::showDocumentChange(int, int)
{
    ShowPresets();
}

void Form_Edit_Test::MSF_chann_Click(int tableRow, int column)
{
    if (column != FrequencyColumn)
        return;
    m_editRow = tableRow + 1;
    const QRect cell = MSF_chann->visualRect(MSF_chann->model()->index(tableRow, column));
    const QPoint topLeft = MSF_chann->viewport()->mapTo(this, cell.topLeft());
    Text_Edit->setGeometry(QRect(topLeft, cell.size()));
    Text_Edit->setText(cellText(m_editRow));
    Text_Edit->show();
    Text_Edit->raise();
    Text_Edit->setFocus(Qt::MouseFocusReason);
}

void Form_Edit_Test::MSF_chann_LeaveCell()
{
    Text_Edit->hide();
    // Only the cell that the editor was opened on takes its text: moving
    // through the grid otherwise leaves the cells as they are.
    if (m_editRow == 0)
        return;
    const int row = m_editRow;
    m_editRow = 0;
    const QString t = Text_Edit->text();
    const double v = numericValue(t);
    if (v < FmLowerMHz || v > FmUpperMHz) {
        if (!t.trimmed().isEmpty()) {
            showRangeMessage();
            setCellText(row, shortestDecimalText(FmLowerMHz));
        } else {
            setCellText(row, QString());
        }
    } else {
        QString shown = t;
        if ((t.size() == 2 || t.size() == 3) && !t.contains(QLatin1Char('.')))
            shown += QStringLiteral(".0");
        setCellText(row, shown);
    }
    Text_Edit->clear();
}

void Form_Edit_Test::MSF_chann_LostFocus()
{
    for (int row = 1; row <= PresetCount; ++row)
        StorePreset(row);
}

void Form_Edit_Test::Text_Edit_Change()
{
    if (Text_Edit->text().size() <= 5)
        return;
    showRangeMessage();
    Text_Edit->clear();
    const int row = m_editRow > 0 ? m_editRow : MSF_chann->currentRow() + 1;
    setCellText(row, QString());
    StorePreset(row);
}

void Form_Edit_Test::StorePreset(int row)
{
    const QString text = cellText(row);
    editImage({QStringLiteral("收音机频道 %1").arg(row), QStringLiteral("radio preset %1").arg(row)},
              [&](Codeplug &image) { storeFmPreset(image, row - 1, text); });
}

void Form_Edit_Test::showRangeMessage()
{
    showMessage("收音机频率超出范围 ！", "Over the range of FM frequency .");
}

#include "moc_Form_Edit_Test.cpp"
