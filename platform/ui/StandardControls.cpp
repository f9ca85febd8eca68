#include "platform/ui/StandardControls.h"

#include "platform/core/Text.h"
#include "platform/ui/CellStyle.h"
#include "platform/ui/Grid.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace platform::ui {

namespace {

constexpr int kArrowWidth = 16;
constexpr int kSpinWidth = 14;
constexpr int kBrowseWidth = 18;

void DrawButton(const CellPaint& paint, const QRect& rect, bool pressed) {
    QStyleOptionButton option;
    option.rect = rect;
    option.palette = *paint.palette;
    option.state = QStyle::State_Enabled | (pressed ? QStyle::State_Sunken : QStyle::State_Raised);
    QApplication::style()->drawControl(QStyle::CE_PushButtonBevel, &option, paint.painter);
}

void DrawArrowButton(const CellPaint& paint, const QRect& rect, QStyle::PrimitiveElement arrow,
                     bool pressed) {
    DrawButton(paint, rect, pressed);
    QStyleOption option;
    option.rect = rect.adjusted(2, 2, -2, -2);
    option.palette = *paint.palette;
    option.state = QStyle::State_Enabled;
    QApplication::style()->drawPrimitive(arrow, &option, paint.painter);
}

void FillInterior(const CellPaint& paint) {
    paint.painter->fillRect(
        paint.rect, ToQColor(paint.style->interior, *paint.palette, paint.palette->color(QPalette::Base)));
}

QRect RightStrip(const QRect& cell, int width) {
    return QRect(cell.right() - width + 1, cell.top(), width, cell.height());
}

Qt::Alignment EditAlignment(const CellStyle& style) {
    switch (style.align) {
    case CellAlign::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case CellAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

class GridCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;
    void showPopup() override {
        if (beforePopup)
            Guard("drop-down", beforePopup);
        QComboBox::showPopup();
    }
};

} // namespace

// ---- EditControl

bool EditControl::CanActivate(const CellStyle& style) const {
    return !style.readOnly;
}

QLineEdit* EditControl::MakeLineEdit(QWidget* parent) {
    m_line = new QLineEdit(parent);
    m_line->setFrame(false);
    QObject::connect(m_line, &QLineEdit::textEdited, m_line, [this] { UserModified(); });
    return m_line;
}

QWidget* EditControl::CreateEditor(QWidget* parent) {
    return MakeLineEdit(parent);
}

void EditControl::Load(const CellStyle& style) {
    m_line->setText(ToQString(style.value));
    m_line->setAlignment(EditAlignment(style));
}

void EditControl::Begin(const QString& typed) {
    if (typed.isEmpty()) {
        m_line->selectAll();
        return;
    }
    m_line->setText(typed);
    UserModified();
}

std::string EditControl::Value(const CellStyle&) const {
    return FromQString(m_line->text());
}
std::string EditControl::Text() const {
    return FromQString(m_line->text());
}
void EditControl::SetValue(const std::string& value, const CellStyle&) {
    m_line->setText(ToQString(value));
}

// ---- BrowseEditControl

QWidget* BrowseEditControl::CreateEditor(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QLineEdit* line = MakeLineEdit(box);
    auto* button = new QToolButton(box);
    button->setText(QStringLiteral("..."));
    button->setFixedWidth(kBrowseWidth);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, button,
                     [this] { Guard("browse", [&] { OnButton(0); }); });
    layout->addWidget(line);
    layout->addWidget(button);
    box->setFocusProxy(line);
    return box;
}

void BrowseEditControl::Paint(const CellPaint& paint) const {
    FillInterior(paint);
    QRect button = ButtonRect(paint.rect, 0);
    DrawText(paint, paint.rect.adjusted(0, 0, -button.width(), 0), DisplayText(*paint.style));
    DrawButton(paint, button, paint.pressedButton == 0);
    paint.painter->setPen(paint.palette->color(QPalette::ButtonText));
    paint.painter->drawText(button, Qt::AlignCenter, QStringLiteral("..."));
}

int BrowseEditControl::ButtonCount(const CellStyle&) const {
    return 1;
}
QRect BrowseEditControl::ButtonRect(const QRect& cell, int) const {
    return RightStrip(cell, kBrowseWidth);
}
void BrowseEditControl::OnButton(int) {
    NotifyButtonClicked();
}

// ---- PushButtonControl

void PushButtonControl::Paint(const CellPaint& paint) const {
    FillInterior(paint);
    QRect button = ButtonRect(paint.rect, 0);
    DrawButton(paint, button, paint.pressedButton == 0);
    paint.painter->setFont(paint.font);
    paint.painter->setPen(paint.palette->color(QPalette::ButtonText));
    paint.painter->drawText(button.adjusted(3, 0, -3, 0), Qt::AlignCenter | Qt::TextSingleLine,
                            ToQString(DisplayText(*paint.style)));
}

QSize PushButtonControl::SizeHint(const CellStyle& style, const QFont& font, int width) const {
    // The button is the whole cell: only its caption and frame count.
    return ContentSize(style, font, width) + QSize(12, 6);
}

int PushButtonControl::ButtonCount(const CellStyle&) const {
    return 1;
}
QRect PushButtonControl::ButtonRect(const QRect& cell, int) const {
    return cell.adjusted(1, 1, -1, -1);
}
void PushButtonControl::OnButton(int) {
    NotifyButtonClicked();
}

bool PushButtonControl::OnSpace() {
    NotifyButtonClicked();
    return true;
}

// ---- ComboControl

std::vector<std::string> ComboControl::SplitChoices(const std::string& choices) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < choices.size()) {
        size_t end = choices.find('\n', start);
        if (end == std::string::npos)
            end = choices.size();
        std::string line = choices.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> ComboControl::Entries(const CellStyle& style) const {
    return SplitChoices(style.choices);
}

int ComboControl::EntryToSelect(const std::vector<std::string>& entries, const std::string& text,
                                bool active) const {
    auto byText = [&] {
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i] == text)
                return static_cast<int>(i);
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].compare(0, text.size(), text) == 0)
                return static_cast<int>(i);
        return -1;
    };
    int index = -1;
    if ((active && (m_flags & (FindText | ShowText))) || (!active && (m_flags & FindText)))
        index = byText();
    else if (m_flags & ZeroBased)
        index = std::atoi(text.c_str());
    else if (m_flags & OneBased)
        index = std::atoi(text.c_str()) - 1;
    else
        index = byText();
    return index >= 0 && index < static_cast<int>(entries.size()) ? index : -1;
}

int ComboControl::IndexOfValue(const std::string& value) const {
    if (m_flags & ZeroBased)
        return value.empty() ? -1 : std::atoi(value.c_str());
    if (m_flags & OneBased)
        return value.empty() ? -1 : std::atoi(value.c_str()) - 1;
    return m_combo ? m_combo->findText(ToQString(value), Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
}

std::string ComboControl::DisplayText(const CellStyle& style) const {
    if (!(m_flags & (ZeroBased | OneBased)) || style.value.empty())
        return style.value;
    int index = std::atoi(style.value.c_str()) - ((m_flags & OneBased) ? 1 : 0);
    std::vector<std::string> lines = SplitChoices(style.choices);
    return index >= 0 && index < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(index)]
                                                                : style.value;
}

void ComboControl::Paint(const CellPaint& paint) const {
    FillInterior(paint);
    QRect button = ButtonRect(paint.rect, 0);
    DrawText(paint, paint.rect.adjusted(0, 0, -button.width(), 0), DisplayText(*paint.style));
    DrawArrowButton(paint, button, QStyle::PE_IndicatorArrowDown, paint.pressedButton == 0);
}

int ComboControl::ButtonCount(const CellStyle&) const {
    return 1;
}
QRect ComboControl::ButtonRect(const QRect& cell, int) const {
    return RightStrip(cell, kArrowWidth);
}

void ComboControl::OnButton(int) {
    if (GetGrid() && GetGrid()->ActivateCurrentCell())
        DropDown();
}

bool ComboControl::CanActivate(const CellStyle& style) const {
    return !style.readOnly;
}

QWidget* ComboControl::CreateEditor(QWidget* parent) {
    auto* combo = new GridCombo(parent);
    m_combo = combo;
    combo->setEditable(IsEditable());
    if (IsEditable())
        combo->setCompleter(nullptr); // typed text stays as typed
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setFrame(false);
    combo->beforePopup = [this] { BeforePopup(); };
    combo->view(); // make the drop-down now, so the grid sees its keys
    QObject::connect(combo, &QComboBox::activated, combo, [this] {
        if (!m_loading)
            UserModified();
    });
    if (QLineEdit* line = combo->lineEdit())
        QObject::connect(line, &QLineEdit::textEdited, line, [this] { UserModified(); });
    return combo;
}

void ComboControl::Select(const std::string& value, const CellStyle& style) {
    m_loading = true;
    if (IsEditable()) {
        m_combo->setCurrentIndex(IndexOfValue(value));
        m_combo->setEditText(ToQString(value));
    } else {
        int index = IndexOfValue(value);
        m_combo->setCurrentIndex(index < m_combo->count() ? index : -1);
        CellStyle shown = style;
        shown.value = value;
        m_combo->setPlaceholderText(ToQString(DisplayText(shown)));
    }
    m_loading = false;
}

void ComboControl::Load(const CellStyle& style) {
    m_loading = true;
    m_combo->clear();
    for (const std::string& entry : Entries(style))
        m_combo->addItem(ToQString(entry));
    m_loading = false;
    m_loadedValue = style.value;
    Select(style.value, style);
}

void ComboControl::Begin(const QString& typed) {
    if (!IsEditable())
        return;
    if (typed.isEmpty()) {
        m_combo->lineEdit()->selectAll();
        return;
    }
    m_combo->setEditText(typed);
    UserModified();
}

std::string ComboControl::Value(const CellStyle&) const {
    if (IsEditable())
        return FromQString(m_combo->currentText());
    int index = m_combo->currentIndex();
    if (index < 0)
        return m_loadedValue;
    return core::Format("%d", index + ((m_flags & OneBased) ? 1 : 0));
}

std::string ComboControl::Text() const {
    if (!IsEditable() && m_combo->currentIndex() < 0)
        return FromQString(m_combo->placeholderText());
    return FromQString(m_combo->currentText());
}

void ComboControl::SetValue(const std::string& value, const CellStyle& style) {
    m_loadedValue = value;
    Select(value, style);
}

void ComboControl::BeforePopup() {
    const CellStyle* style = CurrentStyle();
    if (!style)
        return;
    std::vector<std::string> entries;
    for (int i = 0; i < m_combo->count(); ++i)
        entries.push_back(FromQString(m_combo->itemText(i)));
    bool byIndexText = (m_flags & (ZeroBased | OneBased)) && !(m_flags & ShowText);
    int index = EntryToSelect(entries, byIndexText ? Value(*style) : Text(), true);
    if (index >= 0) {
        m_loading = true;
        m_combo->setCurrentIndex(index);
        m_loading = false;
    }
}

void ComboControl::DropDown() {
    if (m_combo && IsActive())
        m_combo->showPopup();
}

bool ComboControl::PopupKey(QKeyEvent& event) {
    if (event.key() != Qt::Key_Tab && event.key() != Qt::Key_Backtab)
        return false;
    // Tab takes the highlighted entry and moves on like Tab in the grid.
    int index = m_combo->view()->currentIndex().row();
    m_combo->hidePopup();
    if (index >= 0 && index != m_combo->currentIndex()) {
        m_combo->setCurrentIndex(index);
        UserModified();
    }
    ForwardKey(m_combo, event);
    return true;
}

void ComboControl::End() {
    if (m_combo && m_combo->view()->isVisible())
        m_combo->hidePopup();
}

// ---- CheckListControl

class CheckListControl::Editor : public QWidget {
public:
    Editor(CheckListControl& control, QWidget* parent) : QWidget(parent), m_control(control) {
        setFocusPolicy(Qt::StrongFocus);
        setAutoFillBackground(true);
    }
    void SetSummary(const QString& summary) {
        m_summary = summary;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Base));
        QRect arrow = RightStrip(rect(), kArrowWidth);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(rect().adjusted(3, 0, -arrow.width() - 3, 0), Qt::AlignLeft | Qt::AlignVCenter, m_summary);
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = arrow;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p);
        QStyleOption a;
        a.initFrom(this);
        a.rect = arrow.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &a, &p);
    }
    void mousePressEvent(QMouseEvent*) override {
        Guard("check list", [&] { m_control.DropDown(); });
    }

private:
    CheckListControl& m_control;
    QString m_summary;
};

std::string CheckListControl::DisplayText(const CellStyle& style) const {
    std::vector<std::string> lines = ComboControl::SplitChoices(style.choices);
    return lines.empty() ? std::string() : lines.front();
}

void CheckListControl::Paint(const CellPaint& paint) const {
    FillInterior(paint);
    QRect button = ButtonRect(paint.rect, 0);
    DrawText(paint, paint.rect.adjusted(0, 0, -button.width(), 0), DisplayText(*paint.style));
    DrawArrowButton(paint, button, QStyle::PE_IndicatorArrowDown, paint.pressedButton == 0);
}

int CheckListControl::ButtonCount(const CellStyle&) const {
    return 1;
}
QRect CheckListControl::ButtonRect(const QRect& cell, int) const {
    return RightStrip(cell, kArrowWidth);
}

void CheckListControl::OnButton(int) {
    if (GetGrid() && GetGrid()->ActivateCurrentCell())
        DropDown();
}

bool CheckListControl::CanActivate(const CellStyle& style) const {
    return !style.readOnly;
}

QWidget* CheckListControl::CreateEditor(QWidget* parent) {
    m_editor = new Editor(*this, parent);
    m_list = new QListWidget(m_editor);
    m_list->setWindowFlags(Qt::Popup);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(m_list, &QListWidget::itemClicked, m_list, [this](QListWidgetItem* item) {
        Guard("check list", [&] { Toggle(m_list->row(item)); });
    });
    return m_editor;
}

void CheckListControl::Load(const CellStyle& style) {
    Restyle(style);
}

void CheckListControl::Restyle(const CellStyle& style) {
    m_mask = std::strtoul(style.value.c_str(), nullptr, 10);
    std::vector<std::string> lines = ComboControl::SplitChoices(style.choices);
    m_editor->SetSummary(ToQString(lines.empty() ? std::string() : lines.front()));
    int items = lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
    while (m_list->count() > items)
        delete m_list->takeItem(m_list->count() - 1);
    for (int i = 0; i < items; ++i) {
        if (i >= m_list->count())
            m_list->addItem(QString());
        QListWidgetItem* item = m_list->item(i);
        item->setText(ToQString(lines[static_cast<size_t>(i) + 1]));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        bool on = i < 32 && (m_mask >> i) & 1UL;
        item->setData(Qt::CheckStateRole, on ? Qt::Checked : Qt::Unchecked);
    }
}

std::string CheckListControl::Value(const CellStyle&) const {
    return core::Format("%lu", m_mask);
}
std::string CheckListControl::Text() const {
    return CurrentStyle() ? DisplayText(*CurrentStyle()) : std::string();
}

void CheckListControl::SetValue(const std::string& value, const CellStyle& style) {
    CellStyle copy = style;
    copy.value = value;
    Restyle(copy);
}

bool CheckListControl::StoresOnCommit() const {
    return false;
}

void CheckListControl::Toggle(int item) {
    int row = 0, col = 0;
    if (item < 0 || item >= 32 || !IsActive() || !CurrentCell(row, col))
        return;
    m_mask ^= 1UL << item;
    GetGrid()->SetValue(row, col, core::Format("%lu", m_mask));
    UserModified();
}

void CheckListControl::DropDown() {
    if (!m_list || !IsActive())
        return;
    int rowHeight =
        m_list->sizeHintForRow(0) > 0 ? m_list->sizeHintForRow(0) : m_editor->fontMetrics().height() + 4;
    int width = std::max(m_editor->width(), m_list->sizeHintForColumn(0) + 24);
    m_list->resize(width, rowHeight * std::max(1, m_list->count()) + 2 * m_list->frameWidth());
    m_list->move(m_editor->mapToGlobal(QPoint(0, m_editor->height())));
    if (m_list->count() > 0 && m_list->currentRow() < 0)
        m_list->setCurrentRow(0);
    m_list->show();
    m_list->setFocus();
}

bool CheckListControl::PopupKey(QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Toggle(m_list->currentRow());
        return true;
    case Qt::Key_Escape:
        m_list->hide();
        m_editor->setFocus();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        m_list->hide();
        m_editor->setFocus();
        ForwardKey(m_editor, event);
        return true;
    default:
        return false;
    }
}

void CheckListControl::End() {
    if (m_list)
        m_list->hide();
}

// ---- SpinEditControl

std::string SpinEditControl::Step(const std::string& text, bool up, const CellStyle& style) const {
    auto number = [&](int id, double& out) {
        const std::string& t = style.Attribute(id);
        if (t.empty())
            return false;
        out = std::atof(t.c_str());
        return true;
    };
    double min = 0, max = 0, start = 0;
    bool hasMin = number(CellAttribute::SpinMinimum, min);
    bool hasMax = number(CellAttribute::SpinMaximum, max);
    bool hasStart = number(CellAttribute::SpinStart, start);
    bool wrap = std::atoi(style.Attribute(CellAttribute::SpinWrap).c_str()) != 0;
    double value = hasStart && text.empty() ? start : std::atof(text.c_str());
    if (up) {
        if (hasMax && !(value < max)) {
            if (wrap && hasMin)
                value = min;
        } else {
            value += 1.0;
        }
    } else {
        if (hasMin && !(value > min)) {
            if (wrap && hasMax)
                value = max;
        } else {
            value -= 1.0;
        }
    }
    if (hasMin && value < min)
        value = min;
    if (hasMax && value > max)
        value = max;
    return core::Format("%g", value);
}

QWidget* SpinEditControl::CreateEditor(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QLineEdit* line = MakeLineEdit(box);
    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    for (bool up : {true, false}) {
        auto* button = new QToolButton(box);
        button->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        button->setFixedWidth(kSpinWidth);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFocusPolicy(Qt::NoFocus);
        button->setObjectName(up ? QStringLiteral("up") : QStringLiteral("down"));
        QObject::connect(button, &QToolButton::pressed, button,
                         [this, up] { Guard("spin", [&] { Arrow(up); }); });
        arrows->addWidget(button);
    }
    layout->addWidget(line);
    layout->addLayout(arrows);
    box->setFocusProxy(line);
    return box;
}

void SpinEditControl::Paint(const CellPaint& paint) const {
    FillInterior(paint);
    QRect up = ButtonRect(paint.rect, 0), down = ButtonRect(paint.rect, 1);
    DrawText(paint, paint.rect.adjusted(0, 0, -up.width(), 0), DisplayText(*paint.style));
    DrawArrowButton(paint, up, QStyle::PE_IndicatorArrowUp, paint.pressedButton == 0);
    DrawArrowButton(paint, down, QStyle::PE_IndicatorArrowDown, paint.pressedButton == 1);
}

int SpinEditControl::ButtonCount(const CellStyle&) const {
    return 2;
}

QRect SpinEditControl::ButtonRect(const QRect& cell, int button) const {
    QRect strip = RightStrip(cell, kSpinWidth);
    int half = strip.height() / 2;
    return button == 0 ? QRect(strip.left(), strip.top(), strip.width(), half)
                       : QRect(strip.left(), strip.top() + half, strip.width(), strip.height() - half);
}

bool SpinEditControl::ButtonActsOnPress(int) const {
    return true;
}
void SpinEditControl::OnButton(int button) {
    Arrow(button == 0);
}

void SpinEditControl::Arrow(bool up) {
    int row = 0, col = 0;
    if (!CurrentCell(row, col))
        return;
    const CellStyle& style = GetGrid()->Style(row, col);
    if (!style.readOnly && (IsActive() || GetGrid()->ActivateCurrentCell()) && IsActive()) {
        LineEdit()->setText(ToQString(Step(FromQString(LineEdit()->text()), up, style)));
        SetModified();
        LineEdit()->selectAll();
    }
    NotifyButtonClicked();
}

// ---- ProgressControl

std::string ProgressControl::Caption(const std::string& format, long value) {
    // Only "%ld", "%d" and "%%" are understood; the format is never handed to printf.
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
        } else if (format.compare(i, 3, "%ld") == 0) {
            out += core::Format("%ld", value);
            i += 2;
        } else if (format.compare(i, 2, "%d") == 0) {
            out += core::Format("%ld", value);
            i += 1;
        } else if (format.compare(i, 2, "%%") == 0) {
            out += '%';
            i += 1;
        } else {
            out += '%';
        }
    }
    return out;
}

void ProgressControl::Paint(const CellPaint& paint) const {
    const CellStyle& style = *paint.style;
    FillInterior(paint);
    double low = style.Attribute(CellAttribute::ProgressLow).empty()
                     ? 0.0
                     : std::atof(style.Attribute(CellAttribute::ProgressLow).c_str());
    double high = style.Attribute(CellAttribute::ProgressHigh).empty()
                      ? 100.0
                      : std::atof(style.Attribute(CellAttribute::ProgressHigh).c_str());
    double value = std::atof(style.value.c_str());
    double fraction = high > low ? (value - low) / (high - low) : 0.0;
    fraction = std::clamp(fraction, 0.0, 1.0);
    QRect frame = paint.rect.adjusted(2, 2, -3, -3);
    QPainter& p = *paint.painter;
    p.setPen(paint.palette->color(QPalette::Mid));
    p.drawRect(frame);
    QColor bar = ToQColor(style.textColour, *paint.palette, paint.palette->color(QPalette::Highlight));
    QRect filled = frame.adjusted(1, 1, 0, 0);
    filled.setWidth(static_cast<int>(std::lround(filled.width() * fraction)));
    p.fillRect(filled, bar.lighter(160));
    const std::string& format = style.Attribute(CellAttribute::ProgressCaption);
    if (!format.empty()) {
        p.setFont(paint.font);
        p.setPen(bar);
        p.drawText(frame, Qt::AlignCenter, ToQString(Caption(format, std::lround(value))));
    }
}

// ---- the standard set

std::unique_ptr<CellControl> MakeStandardControl(int id) {
    using namespace CellControlId;
    switch (id) {
    case Edit:
        return std::make_unique<EditControl>();
    case Static:
        return std::make_unique<StaticControl>();
    case PushButton:
        return std::make_unique<PushButtonControl>();
    case BrowseEdit:
        return std::make_unique<BrowseEditControl>();
    case TextCombo:
        return std::make_unique<ComboControl>(ComboControl::Plain);
    case FindTextCombo:
        return std::make_unique<ComboControl>(ComboControl::FindText);
    case IndexList:
        return std::make_unique<ComboControl>(ComboControl::ZeroBased);
    case OneBasedList:
        return std::make_unique<ComboControl>(ComboControl::OneBased);
    case OneBasedTextList:
        return std::make_unique<ComboControl>(ComboControl::OneBased | ComboControl::ShowText);
    case IndexTextList:
        return std::make_unique<ComboControl>(ComboControl::ZeroBased | ComboControl::ShowText);
    case Progress:
        return std::make_unique<ProgressControl>();
    case CheckList:
        return std::make_unique<CheckListControl>();
    default:
        return nullptr;
    }
}

} // namespace platform::ui
