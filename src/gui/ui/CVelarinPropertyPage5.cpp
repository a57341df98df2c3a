#include "gui/ui/CVelarinPropertyPage5.h"

#include "gui/frame/HelpLauncher.h"
#include "gui/ui/CHyperlinkCtrl.h"
#include "gui/ui/OkOnlyDialog.h"
#include "gui/ui/UiDrawing.h"

#include <QLabel>

// Both set by the build (see src/CMakeLists.txt); these stand in for a build without them.
#ifndef VELARIN_HOME_PAGE
#define VELARIN_HOME_PAGE ""
#endif
#ifndef VELARIN_SUPPORT_ADDRESS
#define VELARIN_SUPPORT_ADDRESS "velarin-support@example.org"
#endif

namespace velarin {
namespace {

enum ControlId {
    kMailLink = 1015,
    kHomeLink = 1014,
    kLogo = 1047,
};

} // namespace

CVelarinPropertyPage5::CVelarinPropertyPage5(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("About Velarin"), kHelpContext, parent)
{
}

QString CVelarinPropertyPage5::HomePage()
{
    const QString built = QStringLiteral(VELARIN_HOME_PAGE);
    if (!built.isEmpty())
        return built;
    return QUrl::fromLocalFile(HelpLauncher::HelpDirectory() + QStringLiteral("/index.html"))
        .toString();
}

QString CVelarinPropertyPage5::HomePageText()
{
    // A web address reads well as it is; the help's file address does not.
    const QString built = QStringLiteral(VELARIN_HOME_PAGE);
    return built.isEmpty() ? QStringLiteral("Velarin help pages") : built;
}

QString CVelarinPropertyPage5::SupportAddress()
{
    return QStringLiteral(VELARIN_SUPPORT_ADDRESS);
}

void CVelarinPropertyPage5::OnInitDialog()
{
    QLabel* logo
        = OkOnlyDialog::MakePicture(QStringLiteral(":/images/logo.svg"), QSize(145, 184), this);
    logo->setObjectName(QString::number(kLogo));
    logo->move(DluX(7), DluY(7));
    logo->show();

    AddLabel(QStringLiteral("Velarin Version 5.5 Build 2"), QRect(115, 20, 200, 9));
    homeLink_ = new CHyperlinkCtrl(HomePageText(), this);
    Place(homeLink_, kHomeLink, QRect(115, 45, 228, 9));
    homeLink_->OnAttach();
    mailLink_ = new CHyperlinkCtrl(SupportAddress(), this);
    Place(mailLink_, kMailLink, QRect(115, 60, 228, 9));
    mailLink_->OnAttach();

    AddTool(logo, QStringLiteral("Velarin"));
    homeLink_->SetLinkTarget(HomePage());
    mailLink_->SetLinkTarget(QStringLiteral("mailto:") + SupportAddress());
}

} // namespace velarin
