#include "quorvance/shell/ZRAboutDlg.h"

#include "platform/core/Text.h"
#include "platform/ui/Resources.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>

using platform::core::IDOK;
using platform::ui::ControlSpec;

ZRAboutDlg::ZRAboutDlg(QWidget* parent)
    : platform::ui::Dialog(IDD, "About",
                           {ControlSpec::Static(IDR_MAINFRAME, {}), ControlSpec::Static(IDC_VERSION, {}),
                            ControlSpec::Static(IDC_NOTICE, {}), ControlSpec::Static(IDC_COMMENT, {}),
                            ControlSpec::DefaultButton(IDOK, "OK")},
                           parent) {}

bool ZRAboutDlg::OnInitDialog() {
    platform::ui::Dialog::OnInitDialog();
    SetTitle(platform::core::Format("About %s", "Quorvance"));
    if (auto* icon = qobject_cast<QLabel*>(Item(IDR_MAINFRAME))) {
        QIcon image = platform::ui::Resources::Has(IDR_MAINFRAME)
                          ? platform::ui::Resources::Icon(IDR_MAINFRAME)
                          : QApplication::windowIcon();
        if (!image.isNull())
            icon->setPixmap(image.pixmap(32, 32));
    }
    return true;
}

void ZRAboutDlg::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_VERSION, m_VersionText);
    dx.Text(IDC_NOTICE, m_NoticeText);
    dx.Text(IDC_COMMENT, m_Comment);
}
