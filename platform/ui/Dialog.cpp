#include "platform/ui/Dialog.h"

#include "platform/core/Text.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Events.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace platform::ui {

using core::IDCANCEL;
using core::IDOK;

// ---- DataExchange

void DataExchange::Fail(int id, const std::string& message) {
    m_failed = true;
    core::MessageBox(message, {}, core::MB_OK | core::MB_ICONWARNING);
    m_dialog.FocusItem(id);
}

void DataExchange::Text(int id, std::string& value, int maxChars) {
    if (Skip())
        return;
    if (!m_save) {
        if (auto* edit = qobject_cast<QLineEdit*>(m_dialog.Item(id)))
            edit->setMaxLength(maxChars > 0 ? maxChars : 32767);
        m_dialog.SetItemText(id, value);
        return;
    }
    std::string text = m_dialog.GetItemText(id);
    if (maxChars > 0 && static_cast<int>(text.size()) > maxChars) {
        Fail(id, core::Format("Enter no more than %d characters.", maxChars));
        return;
    }
    value = std::move(text);
}

void DataExchange::Check(int id, int& value) {
    if (Skip())
        return;
    if (m_save)
        value = m_dialog.GetCheck(id);
    else
        m_dialog.SetCheck(id, value);
}

void DataExchange::Check(int id, bool& value) {
    int state = value ? 1 : 0;
    Check(id, state);
    value = state != 0;
}

void DataExchange::Radio(int firstId, int& index) {
    if (Skip())
        return;
    // The group is the run of radio buttons that starts at firstId.
    auto* button = qobject_cast<QRadioButton*>(m_dialog.Item(firstId));
    if (!button || !button->group())
        return;
    QButtonGroup* group = button->group();
    QList<QAbstractButton*> buttons = group->buttons();
    if (m_save) {
        index = -1;
        for (int i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked())
                index = i;
        return;
    }
    group->setExclusive(false);
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(i == index);
    group->setExclusive(true);
}

void DataExchange::Selection(int id, int& index) {
    if (Skip())
        return;
    if (m_save)
        index = m_dialog.GetSelection(id);
    else
        m_dialog.SetSelection(id, index);
}

void DataExchange::Number(int id, int& value, int min, int max) {
    if (Skip())
        return;
    if (!m_save) {
        m_dialog.SetItemText(id, core::Format("%d", value));
        return;
    }
    std::string text = core::Trim(m_dialog.GetItemText(id));
    char* end = nullptr;
    errno = 0;
    long number = text.empty() ? 0 : std::strtol(text.c_str(), &end, 10);
    if (text.empty() || errno != 0 || *end != '\0' || number < min || number > max) {
        Fail(id, core::Format("Enter a whole number from %d to %d.", min, max));
        return;
    }
    value = static_cast<int>(number);
}

// ---- Dialog

Dialog::Dialog(int templateId, std::string title, std::vector<ControlSpec> controls, QWidget* parent)
    : QDialog(parent), m_templateId(templateId), m_title(std::move(title)), m_specs(std::move(controls)) {
    setWindowTitle(ToQString(m_title));
}

Dialog::~Dialog() = default;

void Dialog::SetTitle(std::string title) {
    m_title = std::move(title);
    setWindowTitle(ToQString(m_title));
}

const Dialog::Entry* Dialog::Find(int id) const {
    for (const Entry& e : m_entries)
        if (e.id == id)
            return &e;
    return nullptr;
}

void Dialog::Build() {
    if (m_built)
        return;
    m_built = true;
    auto* outer = new QVBoxLayout(this);
    auto* body = new QGridLayout;
    auto* buttons = new QHBoxLayout;
    outer->addLayout(body);
    outer->addStretch(1);
    outer->addLayout(buttons);
    buttons->addStretch(1);

    int row = 0;
    int groupNumber = 0;
    QButtonGroup* group = nullptr;
    QLabel* pendingLabel = nullptr; // a label that may pair with the field after it
    for (const ControlSpec& spec : m_specs) {
        QWidget* widget = nullptr;
        QWidget* box = nullptr; // what the layout holds, when not the control itself
        int myGroup = -1;
        if (spec.kind != ControlKind::Radio)
            group = nullptr;
        const int id = spec.id;
        switch (spec.kind) {
        case ControlKind::Static: {
            auto* label = new QLabel(ToQString(spec.text), this);
            label->setWordWrap(true);
            widget = label;
            break;
        }
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(ToQString(spec.text), this);
            if (spec.maxChars > 0)
                edit->setMaxLength(spec.maxChars);
            connect(edit, &QLineEdit::textEdited, this, [this, id] { Changed(id); });
            widget = edit;
            break;
        }
        case ControlKind::FileEdit: {
            // The edit is the control; its browse button shares its row.
            box = new QWidget(this);
            auto* line = new QHBoxLayout(box);
            line->setContentsMargins(0, 0, 0, 0);
            auto* edit = new QLineEdit(box);
            auto* browse = new QToolButton(box);
            browse->setText(QStringLiteral("..."));
            line->addWidget(edit, 1);
            line->addWidget(browse);
            connect(edit, &QLineEdit::textEdited, this, [this, id] { Changed(id); });
            connect(browse, &QToolButton::clicked, this,
                    [this, id] { Guard("dialog browse", [&] { BrowseFile(id); }); });
            widget = edit;
            break;
        }
        case ControlKind::Check: {
            auto* check = new QCheckBox(ToQString(spec.text), this);
            connect(check, &QCheckBox::clicked, this, [this, id] { Changed(id); });
            widget = check;
            break;
        }
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(ToQString(spec.text), this);
            if (!group) {
                group = new QButtonGroup(this);
                ++groupNumber;
            }
            group->addButton(radio);
            myGroup = groupNumber;
            connect(radio, &QRadioButton::clicked, this, [this, id] { Changed(id); });
            widget = radio;
            break;
        }
        case ControlKind::Combo:
        case ControlKind::EditCombo: {
            auto* combo = new QComboBox(this);
            combo->setEditable(spec.kind == ControlKind::EditCombo);
            for (const std::string& item : spec.items)
                combo->addItem(ToQString(item));
            connect(combo, &QComboBox::activated, this, [this, id] { Changed(id); });
            if (QLineEdit* edit = combo->lineEdit())
                connect(edit, &QLineEdit::textEdited, this, [this, id] { Changed(id); });
            widget = combo;
            break;
        }
        case ControlKind::List: {
            auto* list = new QListWidget(this);
            for (const std::string& item : spec.items)
                list->addItem(ToQString(item));
            connect(list, &QListWidget::itemSelectionChanged, this, [this, id] {
                if (!m_loading)
                    Changed(id);
            });
            widget = list;
            break;
        }
        case ControlKind::Progress: {
            auto* bar = new QProgressBar(this);
            bar->setRange(spec.low, spec.high);
            bar->setValue(spec.low);
            bar->setTextVisible(false);
            widget = bar;
            break;
        }
        case ControlKind::Button:
        case ControlKind::DefaultButton: {
            auto* button = new QPushButton(ToQString(spec.text), this);
            button->setAutoDefault(false);
            button->setDefault(spec.kind == ControlKind::DefaultButton);
            connect(button, &QPushButton::clicked, this,
                    [this, id] { Guard("dialog button", [&] { ClickButton(id); }); });
            buttons->addWidget(button);
            m_entries.push_back({id, spec.kind, button, -1});
            continue;
        }
        }
        m_entries.push_back({id, spec.kind, widget, myGroup});
        QWidget* placed = box ? box : widget;
        // A file edit takes a row of its own below its label: path names are long.
        bool field = spec.kind == ControlKind::Edit || spec.kind == ControlKind::Combo ||
                     spec.kind == ControlKind::EditCombo;
        if (field && pendingLabel) {
            pendingLabel->setBuddy(widget);
            body->addWidget(placed, row - 1, 1);
            pendingLabel = nullptr;
            continue;
        }
        if (pendingLabel) {
            // The label stood alone: give it the whole row.
            body->removeWidget(pendingLabel);
            body->addWidget(pendingLabel, row - 1, 0, 1, 2);
            pendingLabel = nullptr;
        }
        if (spec.kind == ControlKind::Static) {
            body->addWidget(widget, row++, 0);
            pendingLabel = static_cast<QLabel*>(widget);
        } else {
            body->addWidget(placed, row++, 0, 1, 2);
        }
    }
    if (pendingLabel) {
        body->removeWidget(pendingLabel);
        body->addWidget(pendingLabel, row - 1, 0, 1, 2);
    }
    body->setColumnStretch(1, 1);
}

void Dialog::Initialise() {
    Build();
    m_ended = false;
    m_result = 0;
    OnInitDialog();
    FitToText();
}

// Every text shows in full at the current font: a wrapping label is as wide as its longest line (up
// to a readable measure, beyond which it wraps), and the dialog is wide enough for its title beside
// the window manager's icon and buttons.
void Dialog::FitToText() {
    constexpr int kMeasureChars = 70;
    constexpr int kTitleBarExtras = 140; // icon and three buttons of a common title bar
    const QFontMetrics metrics(font());
    const int measure = metrics.averageCharWidth() * kMeasureChars;
    // Every label, the texts without a control id too.
    for (QLabel* label : findChildren<QLabel*>()) {
        if (!label->wordWrap())
            continue;
        int longest = 0;
        for (const QString& line : label->text().split(QLatin1Char('\n')))
            longest = std::max(longest, metrics.horizontalAdvance(line));
        // Rounding in the label's own text layout needs a pixel or two beyond the measured advance.
        const QMargins margins = label->contentsMargins();
        label->setMinimumWidth(std::min(longest, measure) + margins.left() + margins.right() + 2 * label->margin() +
                               2);
    }
    if (!isWindow())
        return;
    QFont titleFont = font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarExtras;
    setMinimumWidth(std::max(minimumWidth(), titleWidth));
    if (layout())
        layout()->activate();
    adjustSize();
}

int Dialog::DoModal() {
    Initialise();
    core::ModalRequest request;
    request.kind = core::ModalKind::Dialog;
    request.caption = m_title;
    request.text = m_title;
    request.dialogId = m_templateId;
    request.dialog = this;
    return core::RunModal(request);
}

int Dialog::ExecModal() {
    if (m_ended)
        return m_result;
    ModalScope modal;
    setWindowModality(Qt::ApplicationModal);
    int result = exec();
    return m_ended ? m_result : result;
}

bool Dialog::Create() {
    if (m_created && isVisible())
        return false;
    Initialise();
    m_created = true;
    if (!m_ended)
        show();
    return true;
}

void Dialog::DestroyWindow() {
    m_created = false;
    hide();
}

void Dialog::EndDialog(int result) {
    m_ended = true;
    m_result = result;
    QDialog::done(result);
}

bool Dialog::UpdateData(bool save) {
    DataExchange dx(*this, save);
    bool loading = m_loading;
    m_loading = !save;
    DoDataExchange(dx);
    m_loading = loading;
    return !dx.Failed();
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

void Dialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void Dialog::OnButton(int id) {
    auto it = m_handlers.find(id);
    if (it != m_handlers.end() && it->second)
        it->second();
}

void Dialog::OnControlChanged(int) {}

void Dialog::Changed(int id) {
    Guard("dialog control", [&] { OnControlChanged(id); });
}

void Dialog::accept() {
    Guard("dialog OK", [&] { OnOK(); });
}

void Dialog::reject() {
    Guard("dialog cancel", [&] { OnCancel(); });
}

bool Dialog::ClickButton(int id) {
    const Entry* e = Find(id);
    if (e && (!e->widget->isEnabled() || e->widget->isHidden()))
        return false;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    else
        OnButton(id);
    return true;
}

bool Dialog::BrowseFile(int id) {
    const Entry* e = Find(id);
    if (!e || e->kind != ControlKind::FileEdit || !e->widget->isEnabled())
        return false;
    auto spec =
        std::find_if(m_specs.begin(), m_specs.end(), [id](const ControlSpec& s) { return s.id == id; });
    FileDialog dialog(true, spec->defaultExt, GetItemText(id), FD_HIDEREADONLY | FD_FILEMUSTEXIST,
                      spec->filter);
    if (dialog.DoModal() != IDOK)
        return false;
    SetItemText(id, dialog.GetPathName());
    Changed(id);
    return true;
}

void Dialog::SetButtonHandler(int id, std::function<void()> handler) {
    m_handlers[id] = std::move(handler);
}

QWidget* Dialog::Item(int id) const {
    const Entry* e = Find(id);
    return e ? e->widget : nullptr;
}

void Dialog::SetItemText(int id, const std::string& text) {
    QWidget* w = Item(id);
    QString t = ToQString(text);
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(t);
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(t);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(t);
    else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable())
            combo->setEditText(t);
        else
            combo->setCurrentIndex(combo->findText(t, Qt::MatchFixedString));
    }
}

std::string Dialog::GetItemText(int id) const {
    QWidget* w = Item(id);
    if (auto* label = qobject_cast<QLabel*>(w))
        return FromQString(label->text());
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return FromQString(edit->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return FromQString(button->text());
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return FromQString(combo->currentText());
    if (auto* list = qobject_cast<QListWidget*>(w))
        return list->currentItem() ? FromQString(list->currentItem()->text()) : std::string();
    return {};
}

void Dialog::SetCheck(int id, int state) {
    if (auto* check = qobject_cast<QCheckBox*>(Item(id))) {
        if (state == 2)
            check->setTristate(true);
        check->setCheckState(state == 2 ? Qt::PartiallyChecked : state ? Qt::Checked : Qt::Unchecked);
    } else if (auto* radio = qobject_cast<QRadioButton*>(Item(id))) {
        QButtonGroup* group = radio->group();
        if (group)
            group->setExclusive(state == 0 ? false : true);
        radio->setChecked(state != 0);
        if (group)
            group->setExclusive(true);
    }
}

int Dialog::GetCheck(int id) const {
    if (auto* check = qobject_cast<QCheckBox*>(Item(id)))
        return check->checkState() == Qt::PartiallyChecked ? 2 : check->isChecked() ? 1 : 0;
    if (auto* radio = qobject_cast<QRadioButton*>(Item(id)))
        return radio->isChecked() ? 1 : 0;
    return 0;
}

void Dialog::SetSelection(int id, int index) {
    bool loading = m_loading;
    m_loading = true;
    if (auto* combo = qobject_cast<QComboBox*>(Item(id)))
        combo->setCurrentIndex(index);
    else if (auto* list = qobject_cast<QListWidget*>(Item(id)))
        list->setCurrentRow(index);
    m_loading = loading;
}

int Dialog::GetSelection(int id) const {
    if (auto* combo = qobject_cast<QComboBox*>(Item(id)))
        return combo->currentIndex();
    if (auto* list = qobject_cast<QListWidget*>(Item(id)))
        return list->currentRow();
    return -1;
}

void Dialog::SetItems(int id, const std::vector<std::string>& items) {
    bool loading = m_loading;
    m_loading = true;
    if (auto* combo = qobject_cast<QComboBox*>(Item(id))) {
        combo->clear();
        for (const std::string& item : items)
            combo->addItem(ToQString(item));
    } else if (auto* list = qobject_cast<QListWidget*>(Item(id))) {
        list->clear();
        for (const std::string& item : items)
            list->addItem(ToQString(item));
    }
    m_loading = loading;
}

void Dialog::AddItem(int id, const std::string& item) {
    if (auto* combo = qobject_cast<QComboBox*>(Item(id)))
        combo->addItem(ToQString(item));
    else if (auto* list = qobject_cast<QListWidget*>(Item(id)))
        list->addItem(ToQString(item));
}

std::vector<std::string> Dialog::GetItems(int id) const {
    std::vector<std::string> items;
    if (auto* combo = qobject_cast<QComboBox*>(Item(id)))
        for (int i = 0; i < combo->count(); ++i)
            items.push_back(FromQString(combo->itemText(i)));
    else if (auto* list = qobject_cast<QListWidget*>(Item(id)))
        for (int i = 0; i < list->count(); ++i)
            items.push_back(FromQString(list->item(i)->text()));
    return items;
}

// A file edit's browse button goes with its edit.
QWidget* Dialog::Outer(int id) const {
    const Entry* e = Find(id);
    if (!e)
        return nullptr;
    return e->kind == ControlKind::FileEdit ? e->widget->parentWidget() : e->widget;
}

void Dialog::EnableItem(int id, bool enable) {
    if (QWidget* w = Outer(id))
        w->setEnabled(enable);
}

bool Dialog::IsItemEnabled(int id) const {
    QWidget* w = Item(id);
    return w && w->isEnabled();
}

void Dialog::ShowItem(int id, bool show) {
    if (QWidget* w = Outer(id))
        w->setHidden(!show);
}

bool Dialog::IsItemShown(int id) const {
    QWidget* w = Outer(id);
    return w && !w->isHidden();
}

void Dialog::SetRange(int id, int low, int high) {
    if (auto* bar = qobject_cast<QProgressBar*>(Item(id)))
        bar->setRange(low, high);
}

void Dialog::SetPos(int id, int pos) {
    if (auto* bar = qobject_cast<QProgressBar*>(Item(id)))
        bar->setValue(pos);
}

int Dialog::GetPos(int id) const {
    auto* bar = qobject_cast<QProgressBar*>(Item(id));
    return bar ? bar->value() : 0;
}

void Dialog::FocusItem(int id) {
    QWidget* w = Item(id);
    if (!w)
        return;
    w->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->selectAll();
}

std::function<int(core::ModalRequest&)> PressDialogButton(int button, std::function<void(Dialog&)> fill) {
    return [button, fill = std::move(fill)](core::ModalRequest& request) {
        auto* dialog = static_cast<Dialog*>(request.dialog);
        if (!dialog)
            throw std::logic_error("dialog request without a dialog");
        if (fill)
            fill(*dialog);
        if (button != 0 && !dialog->IsEnded())
            dialog->ClickButton(button);
        if (!dialog->IsEnded())
            throw std::logic_error(core::Format("dialog \"%s\" stayed open", dialog->Title().c_str()));
        return dialog->Result();
    };
}

} // namespace platform::ui
