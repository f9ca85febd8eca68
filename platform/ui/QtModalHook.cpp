#include "platform/ui/QtModalHook.h"

#include "platform/ui/Command.h"

#include <QMenu>

#include "platform/core/FileSystem.h"
#include "platform/core/Version.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Events.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Text.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <vector>

namespace platform::ui {

using namespace core;

namespace {

QWidget* Parent() {
    return QApplication::activeWindow();
}

int ShowMessage(ModalRequest& request) {
    QMessageBox box(Parent());
    box.setWindowTitle(ToQString(request.caption.empty() ? std::string(kProductName) : request.caption));
    box.setText(ToQString(request.text));
    // The icon from the program's own set, so it shows whatever desktop theme there is.
    const char* icon = nullptr;
    switch (request.flags & MB_ICONMASK) {
    case MB_ICONERROR:
        icon = "dialog-error";
        break;
    case MB_ICONQUESTION:
        icon = "dialog-question";
        break;
    case MB_ICONWARNING:
        icon = "dialog-warning";
        break;
    case MB_ICONINFORMATION:
        icon = "dialog-information";
        break;
    default:
        break;
    }
    if (icon) {
        const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        box.setIconPixmap(Resources::SetIcon(icon).pixmap(size, size));
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (request.flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        choices = {
            {QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        choices = {{QMessageBox::Ok, IDOK}};
        break;
    }
    std::vector<QPushButton*> buttons;
    for (const Choice& c : choices) {
        buttons.push_back(box.addButton(c.button));
        if (c.answer == IDCANCEL || choices.size() == 1)
            box.setEscapeButton(buttons.back());
    }
    size_t def = (request.flags & MB_DEFMASK) >> 8;
    box.setDefaultButton(buttons[def < buttons.size() ? def : 0]);
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return choices[i].answer;
    return choices.size() == 1 ? IDOK : IDCANCEL;
}

// A picked name in the model's code page; a name it cannot hold is refused with a message naming it,
// never changed into another name.
bool ToModelName(QWidget* parent, const QString& title, const QString& picked, std::string& name) {
    QByteArray utf8 = picked.toUtf8();
    if (FileSystem::ModelName(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), name))
        return true;
    QMessageBox::warning(parent, title,
                         QStringLiteral("%1\nThis name has characters that the program cannot use. "
                                        "Choose another name.")
                             .arg(picked));
    return false;
}

int ShowFileDialog(ModalRequest& request) {
    const bool open = request.kind == ModalKind::OpenFile;
    QStringList filters;
    for (const FileFilter& f : ParseFileFilter(request.filter))
        filters << ToQString(ToToolkitFilter(f));
    QFileDialog dialog(Parent(), ToQString(request.caption));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open && (request.flags & FD_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile);
    if (!open && !(request.flags & FD_OVERWRITEPROMPT))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    std::string ext = request.defaultExt;
    while (!ext.empty() && ext.front() == '.')
        ext.erase(0, 1);
    if (!ext.empty())
        dialog.setDefaultSuffix(ToQString(ext));
    // A name without a folder is taken in the request's folder, not in the current directory.
    const QDir base(request.directory.empty() ? QDir::currentPath() : ToQString(request.directory));
    if (!request.directory.empty())
        dialog.setDirectory(base);
    if (!request.value.empty()) {
        QFileInfo initial(base, ToQString(request.value));
        if (initial.isDir()) {
            dialog.setDirectory(initial.absoluteFilePath());
        } else {
            if (initial.absoluteDir().exists())
                dialog.setDirectory(initial.absolutePath());
            dialog.selectFile(initial.fileName());
        }
    }
    while (true) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return IDCANCEL;
        QString chosen = dialog.selectedFiles().first();
        QFileInfo info(chosen);
        if (!open && (request.flags & FD_NOREADONLYRETURN) && info.exists() && !info.isWritable()) {
            QMessageBox::warning(
                &dialog, dialog.windowTitle(),
                QStringLiteral("%1\nThis file cannot be written. Choose another name.").arg(chosen));
            continue;
        }
        std::string name;
        if (!ToModelName(&dialog, dialog.windowTitle(), chosen, name))
            continue;
        request.value = WithDefaultExtension(name, ext);
        return IDOK;
    }
}

int ShowFolderDialog(ModalRequest& request) {
    const QString caption = ToQString(request.caption);
    QString start = ToQString(request.value);
    while (true) {
        QString folder = QFileDialog::getExistingDirectory(Parent(), caption, start);
        if (folder.isEmpty())
            return IDCANCEL;
        std::string name;
        if (ToModelName(Parent(), caption, folder, name)) {
            request.value = name;
            return IDOK;
        }
        start = folder;
    }
}

int ShowColourDialog(ModalRequest& request) {
    QColor initial(request.colour & 0xFF, (request.colour >> 8) & 0xFF, (request.colour >> 16) & 0xFF);
    QColor chosen = QColorDialog::getColor(initial, Parent(), ToQString(request.caption));
    if (!chosen.isValid())
        return IDCANCEL;
    request.colour = static_cast<unsigned>(chosen.red()) | static_cast<unsigned>(chosen.green()) << 8 |
                     static_cast<unsigned>(chosen.blue()) << 16;
    return IDOK;
}

int ShowTextPrompt(ModalRequest& request) {
    bool ok = false;
    QString text = QInputDialog::getText(Parent(), ToQString(request.caption), ToQString(request.text),
                                         QLineEdit::Normal, ToQString(request.value), &ok);
    if (!ok)
        return IDCANCEL;
    request.value = FromQString(text);
    return IDOK;
}

int ShowPopupMenu(ModalRequest& request) {
    auto* menu = static_cast<QMenu*>(request.dialog);
    if (!menu)
        return 0;
    QAction* chosen = menu->exec(QPoint(request.x, request.y));
    return chosen ? static_cast<int>(CommandId(*chosen)) : 0;
}

} // namespace

int QtModalHook::Run(ModalRequest& request) {
    ModalScope modal;
    switch (request.kind) {
    case ModalKind::MessageBox:
        return ShowMessage(request);
    case ModalKind::Dialog:
        return request.dialog ? static_cast<Dialog*>(request.dialog)->ExecModal() : IDCANCEL;
    case ModalKind::OpenFile:
    case ModalKind::SaveFile:
        return ShowFileDialog(request);
    case ModalKind::Folder:
        return ShowFolderDialog(request);
    case ModalKind::Colour:
        return ShowColourDialog(request);
    case ModalKind::Text:
        return ShowTextPrompt(request);
    case ModalKind::PopupMenu:
        return ShowPopupMenu(request);
    }
    return IDCANCEL;
}

ModalHook* InstallQtModalHook() {
    static QtModalHook hook;
    return SetModalHook(&hook);
}

} // namespace platform::ui
