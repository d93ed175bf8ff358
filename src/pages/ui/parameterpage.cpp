#include "pages/ui/parameterpage.h"

#include "link/linkcontroller.h"
#include "core/appstate.h"
#include "link/commandtable.h"
#include "widgets/fonts.h"
#include "core/language.h"
#include "core/messageservice.h"

#include <QCheckBox>
#include <cstring>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr const char *kContext = "ParameterPage";

// Units shown beside the boxes; listed here so that the translation tools see them.
[[maybe_unused]] constexpr const char *kUnits[] = {
    QT_TRANSLATE_NOOP("ParameterPage", "rpm"),  QT_TRANSLATE_NOOP("ParameterPage", "A"),
    QT_TRANSLATE_NOOP("ParameterPage", "V"),    QT_TRANSLATE_NOOP("ParameterPage", "%"),
    QT_TRANSLATE_NOOP("ParameterPage", "deg"),  QT_TRANSLATE_NOOP("ParameterPage", "hall steps"),
    QT_TRANSLATE_NOOP("ParameterPage", "s"),    QT_TRANSLATE_NOOP("ParameterPage", "0.1 s"),
    QT_TRANSLATE_NOOP("ParameterPage", "ms"),
};
constexpr const char *kReceivedByte = QT_TRANSLATE_NOOP("ParameterPage", "Received byte %1");
constexpr const char *kContinued = QT_TRANSLATE_NOOP("ParameterPage", "%1 (continued)");
constexpr const char *kRead = QT_TRANSLATE_NOOP("ParameterPage", "read");
constexpr const char *kWrite = QT_TRANSLATE_NOOP("ParameterPage", "write");

const char kErrorProperty[] = "parseError";
const QString kErrorStyle = QStringLiteral("QLineEdit { border: 2px solid #d00000; padding: 1px; }");

void clearMark(QLineEdit *box)
{
    if (!box->property(kErrorProperty).toBool())
        return;
    box->setProperty(kErrorProperty, false);
    box->setStyleSheet(QString());
    box->setToolTip(QString());
}
} // namespace

namespace {
BlockModel &modelOf(ParameterService &service, const BlockTable &table)
{
    BlockModel *m = service.model(table.definition().frame);
    Q_ASSERT_X(m && &m->table() == &table, "ParameterPage", "a page's table has no model of its own");
    return *m;
}
} // namespace

ParameterPage::ParameterPage(const BlockTable &table, ParameterService &service, const LanguageState &language,
                             MessageService &messages, QWidget *parent)
    : PageWindow(parent),
      m_table(table),
      m_service(service),
      m_model(modelOf(service, table)),
      m_language(language),
      m_messages(messages)
{
    setObjectName(m_table.window());
    setWindowTitle(QString::fromUtf8(m_table.definition().caption));
    setFont(englishFont(9));
    build();
    showModel();
    showHidden();
    connect(&m_model, &BlockModel::changed, this, &ParameterPage::showModel);
    connect(&m_model, &BlockModel::hiddenChanged, this, &ParameterPage::showHidden);
}

// Every editor hands what it shows to the model, whoever changed it: the
// user, a page's own button, or the model itself (then nothing changes).
QWidget *ParameterPage::makeEditor(const FieldSpec &f, int slot)
{
    const QString name = QString::fromLatin1(f.control);
    if (f.editor == EditorKind::Check) {
        auto *check = new QCheckBox(QString::fromUtf8(f.designCaption ? f.designCaption : f.caption), this);
        check->setObjectName(name);
        connect(check, &QCheckBox::toggled, this, [this, slot](bool on) { m_model.setIndex(slot, on ? 1 : 0); });
        return check;
    }
    if (f.editor == EditorKind::List) {
        // The items come with formLoad, before the captions.
        auto *list = new QComboBox(this);
        list->setObjectName(name);
        // The item that names a received byte no item has is no choice of
        // the user's: the byte goes back as it came (see showUnlisted).
        const int items = int(f.items.size());
        connect(list, &QComboBox::currentIndexChanged, this, [this, slot, items](int index) {
            if (index < items)
                m_model.setIndex(slot, index);
        });
        // A selection the user made is written as chosen, not as received.
        connect(list, &QComboBox::activated, this, [this, slot, items](int index) {
            if (index < items) {
                m_model.setIndex(slot, index, true);
                showUnlisted(slot);
            }
        });
        return list;
    }
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int width = box->fontMetrics().horizontalAdvance(QStringLiteral("00000000000"));
    box->setFixedWidth(width);
    connect(box, &QLineEdit::textChanged, this, [this, box, slot](const QString &text) {
        clearMark(box);
        m_model.setText(slot, text);
    });
    return box;
}

namespace {
// A page, its frame and a title bar fit a 1366x768 screen with a taskbar.
constexpr int kMaxPageHeight = 640 - 32;
// A long group continues in a second box rather than making a tall column.
constexpr int kMaxRowsPerBox = 11;

bool captionCarriesUnit(const FieldSpec &f)
{
    return f.caption && std::strchr(f.caption, '[') != nullptr;
}
} // namespace

// The box of group `g` that takes the next row: a long group continues in a
// second box.
QGridLayout *ParameterPage::gridFor(int g)
{
    const BlockSpec &definition = table().definition();
    QGridLayout *grid = m_openGrid[g];
    if (grid && grid->rowCount() < kMaxRowsPerBox)
        return grid;
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("grp%1").arg(m_groups.size()));
    if (g < int(definition.groups.size())) {
        const QString title = QString::fromUtf8(definition.groups[std::size_t(g)]);
        box->setTitle(m_groupOfBox.contains(g) ? QString::fromUtf8(kContinued).arg(title) : title);
    }
    grid = new QGridLayout(box);
    grid->setColumnStretch(0, 1);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    m_groups.append(box);
    m_groupOfBox.append(g);
    m_grids.append(grid);
    m_openGrid[g] = grid;
    return grid;
}

int ParameterPage::groupOfSlot(int slot) const
{
    const int groupCount = std::max<int>(1, int(table().definition().groups.size()));
    return std::min<int>(table().field(table().fieldOfSlot(slot)).group, groupCount - 1);
}

void ParameterPage::build()
{
    const BlockTable &t = table();
    auto *top = new QVBoxLayout(this);
    m_columns = new QHBoxLayout;
    m_columns->setSpacing(12);
    top->addLayout(m_columns);

    const int groupCount = std::max<int>(1, int(t.definition().groups.size()));
    m_openGrid = QList<QGridLayout *>(groupCount, nullptr);
    // Group boxes in the order of their groups, whatever the field order.
    for (int g = 0; g < groupCount; ++g) {
        for (int slot = 0; slot < t.slotCount(); ++slot) {
            if (groupOfSlot(slot) == g) {
                gridFor(g);
                break;
            }
        }
    }
    m_editors.resize(t.slotCount(), nullptr);
    m_labels.resize(t.slotCount(), nullptr);
    m_units.resize(t.slotCount(), nullptr);
    for (int slot = 0; slot < t.slotCount(); ++slot)
        addField(slot);
    top->addLayout(buildButtons());
    alignColumns();
}

// One row of its group: the label, the editor and the unit (a check box is
// its own label).
void ParameterPage::addField(int slot)
{
    const BlockTable &t = table();
    const int first = t.fieldOfSlot(slot);
    const FieldSpec &f = t.field(first);
    QGridLayout *grid = gridFor(groupOfSlot(slot));
    const int row = grid->rowCount();

    QWidget *editor = makeEditor(f, slot);
    m_editors[slot] = editor;
    if (qobject_cast<QCheckBox *>(editor)) {
        grid->addWidget(editor, row, 0, 1, 3);
        return;
    }
    auto *label = new QLabel(QString::fromUtf8(f.designCaption ? f.designCaption : f.caption), this);
    label->setObjectName(t.labelName(first));
    // The buddy names the box for assistive technology.
    label->setBuddy(editor);
    m_labels[slot] = label;
    grid->addWidget(label, row, 0);
    grid->addWidget(editor, row, 1);
    // A unit beside the box only when the caption does not carry it.
    if (*f.unit && !captionCarriesUnit(f)) {
        auto *unit = new QLabel(QStringLiteral("[%1]").arg(QString::fromUtf8(f.unit)), this);
        unit->setObjectName(QLatin1String("unit") + t.controlName(slot).mid(3));
        m_units[slot] = unit;
        grid->addWidget(unit, row, 2);
    }
}

QHBoxLayout *ParameterPage::buildButtons()
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_read = new QPushButton(QString::fromUtf8(kRead), this);
    m_read->setObjectName(QStringLiteral("cmdread"));
    m_write = new QPushButton(QString::fromUtf8(kWrite), this);
    m_write->setObjectName(QStringLiteral("cmdwrite"));
    m_write->setAutoDefault(false);
    m_read->setAutoDefault(false);
    buttons->addWidget(m_read);
    buttons->addWidget(m_write);
    m_buttonRow = buttons;
    connect(m_read, &QPushButton::clicked, this, &ParameterPage::cmdread_Click);
    connect(m_write, &QPushButton::clicked, this, &ParameterPage::cmdwrite_Click);
    return buttons;
}

namespace {
// The tallest column when the sequence of heights is cut before `cuts`.
int tallestColumn(const QList<int> &heights, const QList<int> &cuts, int spacing)
{
    const int n = int(heights.size());
    int worst = 0;
    int from = 0;
    for (int c = 0; c <= int(cuts.size()); ++c) {
        const int to = c < int(cuts.size()) ? cuts[c] : n;
        int h = 0;
        for (int k = from; k < to; ++k)
            h += heights[k] + (k > from ? spacing : 0);
        worst = std::max(worst, h);
        from = to;
    }
    return worst;
}

// The column of each block: the fewest columns (up to four) whose tallest
// one fits the budget; for each count, the cuts that make it lowest.
QList<int> columnsOf(const QList<int> &heights, int spacing, int budget)
{
    const int n = int(heights.size());
    QList<int> bestCuts;
    for (int columns = 1; columns <= std::min(4, std::max(1, n)); ++columns) {
        QList<int> cuts;
        for (int c = 1; c < columns; ++c)
            cuts << c;
        QList<int> best = cuts;
        int bestHeight = tallestColumn(heights, cuts, spacing);
        // Every choice of columns-1 increasing cut points in 1..n-1.
        for (;;) {
            int k = int(cuts.size()) - 1;
            while (k >= 0 && cuts[k] == n - (int(cuts.size()) - k))
                --k;
            if (k < 0)
                break;
            ++cuts[k];
            for (int m = k + 1; m < int(cuts.size()); ++m)
                cuts[m] = cuts[m - 1] + 1;
            const int h = tallestColumn(heights, cuts, spacing);
            if (h < bestHeight) {
                bestHeight = h;
                best = cuts;
            }
        }
        bestCuts = best;
        if (bestHeight <= budget)
            break;
    }
    QList<int> columnOf(n, 0);
    for (int k = 0, c = 0; k < n; ++k) {
        while (c < int(bestCuts.size()) && k >= bestCuts[c])
            ++c;
        columnOf[k] = c;
    }
    return columnOf;
}
} // namespace

// The group boxes in as few columns as keep the page inside the screen's
// height, filled in group order, top to bottom, then left to right.
void ParameterPage::arrangeColumns()
{
    QList<QWidget *> blocks(m_groups.begin(), m_groups.end());
    blocks += m_sections;
    QList<int> heights;
    for (QWidget *box : blocks)
        heights << box->sizeHint().height();
    const QMargins margins = layout()->contentsMargins();
    const int chrome = margins.top() + margins.bottom() + layout()->spacing() +
                       m_buttonRow->sizeHint().height();
    const QList<int> columnOf = columnsOf(heights, m_columns->spacing(), std::max(200, kMaxPageHeight - chrome));
    const int columns = columnOf.isEmpty() ? 1 : columnOf.last() + 1;

    while (QLayoutItem *item = m_columns->takeAt(0)) {
        if (QLayout *l = item->layout()) {
            while (l->count())
                l->takeAt(0);
        }
        delete item;
    }
    QList<QVBoxLayout *> stacks;
    for (int c = 0; c < columns; ++c) {
        auto *stack = new QVBoxLayout;
        stacks << stack;
        m_columns->addLayout(stack, 1);
    }
    for (int i = 0; i < int(blocks.size()); ++i)
        stacks[columnOf[i]]->addWidget(blocks[i]);
    for (QVBoxLayout *stack : stacks)
        stack->addStretch();
}

// The boxes of all groups stand in line, whatever the caption lengths.
void ParameterPage::alignColumns()
{
    int labelWidth = 0;
    int unitWidth = 0;
    for (int slot = 0; slot < int(m_editors.size()); ++slot) {
        if (m_labels[slot])
            labelWidth = std::max(labelWidth, m_labels[slot]->sizeHint().width());
        if (m_units[slot])
            unitWidth = std::max(unitWidth, m_units[slot]->sizeHint().width());
    }
    for (QGridLayout *grid : m_grids) {
        grid->setColumnMinimumWidth(0, labelWidth);
        grid->setColumnMinimumWidth(2, unitWidth);
    }
    arrangeColumns();
}

void ParameterPage::fillLists()
{
    const char *context = table().definition().window;
    for (int slot = 0; slot < int(m_editors.size()); ++slot) {
        auto *list = qobject_cast<QComboBox *>(m_editors[slot]);
        if (!list)
            continue;
        const FieldSpec &f = table().field(table().fieldOfSlot(slot));
        const int index = m_model.values().indexAt(slot);
        QStringList items;
        for (const char *item : f.items) {
            const QString t = bilingual(m_language.languageCode, context, item);
            items << (t.isNull() ? QString::fromUtf8(item) : t);
        }
        // Relabelled in place, so the selection survives a language switch.
        const QSignalBlocker blocker(list);
        if (list->count() >= items.size()) {
            for (int i = 0; i < items.size(); ++i)
                list->setItemText(i, items[i]);
        } else {
            list->clear();
            list->addItems(items);
        }
        list->setCurrentIndex(index < items.size() ? index : -1);
        showUnlisted(slot);
    }
}

// A received list byte that names no item (or one the list limits to an
// item) is shown as what it is, "Received byte 9", not as the item it would
// be limited to; while it stays selected the byte goes back unchanged.
void ParameterPage::showUnlisted(int slot)
{
    auto *list = qobject_cast<QComboBox *>(m_editors[slot]);
    if (!list)
        return;
    const FieldSpec &f = table().field(table().fieldOfSlot(slot));
    if (f.form == ValueForm::Flag)
        return;
    const ValueMap &values = m_model.values();
    const std::optional<qint32> held = values.heldAt(slot);
    const bool shown = held && values.indexAt(slot) == shownIndex(f, *held);
    const int items = int(f.items.size());
    const QSignalBlocker blocker(list);
    while (list->count() > items)
        list->removeItem(list->count() - 1);
    if (!shown)
        return;
    const QString t = bilingual(m_language.languageCode, kContext, kReceivedByte);
    list->addItem((t.isNull() ? QString::fromUtf8(kReceivedByte) : t).arg(*held));
    list->setCurrentIndex(items);
}

ValueMap ParameterPage::values() const
{
    return m_model.values();
}

void ParameterPage::setValues(const ValueMap &values)
{
    m_model.setValues(values);
}

// What the model holds, into the editors; an editor that shows it already
// is left alone (a text set again would move the cursor).
void ParameterPage::showModel()
{
    const ValueMap &values = m_model.values();
    for (int slot = 0; slot < int(m_editors.size()); ++slot) {
        QWidget *w = m_editors[slot];
        if (auto *box = qobject_cast<QLineEdit *>(w)) {
            if (box->text() != values.at(slot))
                box->setText(values.at(slot));
        } else if (auto *check = qobject_cast<QCheckBox *>(w)) {
            check->setChecked(values.indexAt(slot) != 0);
        } else if (auto *list = qobject_cast<QComboBox *>(w)) {
            const int index = values.indexAt(slot);
            const int items = int(table().field(table().fieldOfSlot(slot)).items.size());
            {
                const QSignalBlocker blocker(list);
                list->setCurrentIndex(index >= 0 && index < std::min(items, list->count()) ? index : -1);
            }
            showUnlisted(slot);
        }
    }
}

// Hiding is one way: a window lives no longer than its model stays hidden.
void ParameterPage::showHidden()
{
    for (int slot = 0; slot < int(m_editors.size()); ++slot) {
        if (m_model.isHidden(slot))
            setFieldHidden(table().controlName(slot));
    }
}

void ParameterPage::cmdread_Click()
{
    m_service.read(table().definition().frame);
}

// The questions come first: zeros into bytes of a layout not known yet,
// then the boxes that will not be written as they stand. Each No sends
// nothing.
void ParameterPage::cmdwrite_Click()
{
    const ParameterService::WritePlan plan = m_service.planWrite(table().definition().frame, values());
    if (plan.step != ParameterService::WritePlan::Step::Ask) {
        writeShownValues();
        return;
    }
    QPointer<ParameterPage> self(this);
    m_messages.ask({MessageService::Icon::Warning, QStringLiteral("info"), plan.text, objectName()}, [self](bool yes) {
        if (yes && self)
            self->writeShownValues();
    });
}

void ParameterPage::writeShownValues()
{
    const FrameId family = table().definition().frame;
    const QList<ParameterService::SentAs> boxes = m_service.sentDifferently(family, values());
    if (boxes.isEmpty()) {
        encodeAndSend({}, true);
        return;
    }
    QPointer<ParameterPage> self(this);
    m_messages.ask({MessageService::Icon::Warning, QStringLiteral("info"),
                    m_service.sentDifferentlyQuestion(family, boxes), objectName()},
                   [self](bool yes) {
                       if (yes && self)
                           self->encodeAndSend({}, true);
                   });
}

bool ParameterPage::encodeAndSend(RequestQueue::Callback done, bool verified)
{
    const ParameterService::WritePlan plan = m_service.planWrite(table().definition().frame, values(), true);
    if (plan.step != ParameterService::WritePlan::Step::Send) {
        reportFailure(plan);
        return false;
    }
    if (verified)
        m_service.writeVerified(plan.block);
    else
        m_service.write(plan.block, std::move(done));
    return true;
}

void ParameterPage::reportFailure(const ParameterService::WritePlan &plan)
{
    if (plan.failedField >= 0) {
        if (auto *box = qobject_cast<QLineEdit *>(m_editors[table().slotOfField(plan.failedField)])) {
            box->setProperty(kErrorProperty, true);
            box->setStyleSheet(kErrorStyle);
            box->setToolTip(parseFailureReason(m_language.languageCode, plan.error));
            if (box->isVisible()) {
                box->setFocus(Qt::OtherFocusReason);
                box->selectAll();
            }
        }
    }
    m_messages.infoAbout(objectName(), plan.text);
}

int ParameterPage::captionFieldOfSlot(int slot) const
{
    // A control with one row per controller type takes the caption of the
    // row for the current type; with no such row it keeps its text.
    // A caption that is the same in every row does not depend on the type
    // and is always written, unless the label was designed with another
    // text that only a matching type replaces.
    const BlockTable &t = table();
    const int first = t.fieldOfSlot(slot);
    bool oneCaption = true;
    int rows = 0;
    for (int i = first; i < t.fieldCount(); ++i) {
        if (t.slotOfField(i) != slot)
            continue;
        if (t.field(i).appliesTo(m_service.controllerType()))
            return i;
        ++rows;
        oneCaption = oneCaption && qstrcmp(t.field(i).caption, t.field(first).caption) == 0;
    }
    const bool designedOtherwise = t.field(first).designCaption != nullptr;
    return oneCaption && (rows > 1 || !designedOtherwise) ? first : -1;
}

void ParameterPage::applyCaptions()
{
    const int code = m_language.languageCode;
    if (code != LanguageCode::English && code != LanguageCode::Chinese)
        return;
    const BlockSpec &definition = table().definition();
    auto writes = [code](CaptionRule rule) {
        return rule == CaptionRule::Both ||
               (rule == CaptionRule::EnglishOnly && code == LanguageCode::English);
    };
    auto text = [&](const char *source) { return bilingual(code, definition.window, source); };

    setFont(fontForLanguage(code, 9));
    fillLists();
    if (writes(definition.windowCaptionRule))
        setWindowTitle(text(definition.caption));
    for (int b = 0; b < int(m_groups.size()); ++b) {
        const int g = m_groupOfBox[b];
        if (g >= int(definition.groups.size()))
            continue;
        // The second box of a long group says that it continues the first.
        const QString title = text(definition.groups[std::size_t(g)]);
        const bool continued = m_groupOfBox.indexOf(g) < b;
        m_groups[b]->setTitle(continued ? bilingual(code, kContext, kContinued).arg(title) : title);
    }
    for (int slot = 0; slot < int(m_editors.size()); ++slot) {
        const int field = captionFieldOfSlot(slot);
        if (field < 0)
            continue;
        const FieldSpec &f = table().field(field);
        if (!writes(f.captionRule))
            continue;
        if (QLabel *label = m_labels[slot])
            label->setText(text(f.caption));
        else if (auto *check = qobject_cast<QCheckBox *>(m_editors[slot]))
            check->setText(text(f.caption));
        if (QLabel *unit = m_units[slot])
            unit->setText(QStringLiteral("[%1]").arg(bilingual(code, kContext, f.unit)));
    }
    m_read->setText(bilingual(code, kContext, kRead));
    m_write->setText(bilingual(code, kContext, kWrite));
    alignColumns();
}

void ParameterPage::setFieldHidden(QStringView control, bool hidden)
{
    const int slot = table().slotOf(control);
    if (slot < 0)
        return;
    for (QWidget *w : {static_cast<QWidget *>(m_labels[slot]), m_editors[slot],
                       static_cast<QWidget *>(m_units[slot])}) {
        if (w)
            w->setHidden(hidden);
    }
}

QWidget *ParameterPage::editor(QStringView control) const
{
    const int slot = table().slotOf(control);
    return slot < 0 ? nullptr : m_editors[slot];
}

QLineEdit *ParameterPage::box(QStringView control) const
{
    const int slot = table().slotOf(control);
    return slot < 0 ? nullptr : qobject_cast<QLineEdit *>(m_editors[slot]);
}

void ParameterPage::addSection(QWidget *section)
{
    // After the fields' groups, in the same columns, above "read" and "write".
    section->setParent(this);
    m_sections.append(section);
    arrangeColumns();
}

void ParameterPage::setReadWriteEnabled(bool enabled)
{
    m_read->setEnabled(enabled);
    m_write->setEnabled(enabled);
}
