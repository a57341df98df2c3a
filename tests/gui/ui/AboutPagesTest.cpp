#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CHyperlinkCtrl.h"
#include "gui/ui/CVelarinPropertyPage5.h"
#include "gui/ui/CVelarinPropertyPage6.h"
#include "gui/ui/PropertySheetFixture.h"

#include <QLabel>
#include <QPushButton>

using namespace velarin;
using velarin::testing::PageUnderTest;

namespace {

QStringList LabelTexts(QWidget& page)
{
    QStringList texts;
    for (QLabel* label : page.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        texts << label->text();
    return texts;
}

QList<QSize> PictureSizes(QWidget& page)
{
    QList<QSize> sizes;
    for (QLabel* label : page.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!label->pixmap().isNull())
            sizes << label->size();
    }
    return sizes;
}

} // namespace

TEST(AboutPage, VersionLogoAndTwoLinksToTheProductPageAndSupport)
{
    PageUnderTest<CVelarinPropertyPage5> t;
    EXPECT_TRUE(LabelTexts(t.page).contains(QStringLiteral("Velarin Version 5.5 Build 2")));
    auto* logo = qobject_cast<QLabel*>(t.page.Control(1047));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->size(), QSize(145, 184));
    EXPECT_TRUE(t.sheet.Balloon().Logic().IsTool(logo));

    auto* home = qobject_cast<CHyperlinkCtrl*>(t.page.Control(1014));
    auto* mail = qobject_cast<CHyperlinkCtrl*>(t.page.Control(1015));
    ASSERT_NE(home, nullptr);
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(home->LinkTarget(), CVelarinPropertyPage5::HomePage());
    EXPECT_EQ(home->text(), QStringLiteral("Velarin help pages"));
    // Built without an address of its own: the help's index page.
    EXPECT_TRUE(home->LinkTarget().startsWith(QStringLiteral("file:///")));
    EXPECT_TRUE(home->LinkTarget().endsWith(QStringLiteral("/index.html")));
    EXPECT_EQ(mail->text(), QStringLiteral("velarin-support@example.org"));
    EXPECT_EQ(mail->LinkTarget(), QStringLiteral("mailto:velarin-support@example.org"));
    EXPECT_EQ(mail->toolTip(), mail->LinkTarget());
    EXPECT_TRUE(mail->font().underline());
    EXPECT_EQ(t.page.HasTimer(), false);
    EXPECT_EQ(t.page.Control(1103), nullptr);
}

TEST(LicensePage, TheButtonOpensTheAgreementBesideLogoAndNotice)
{
    PageUnderTest<CVelarinPropertyPage6> t;
    auto* view = qobject_cast<QPushButton*>(t.page.Control(1016));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->text(), QStringLiteral("View License Agreement"));
    view->click();
    EXPECT_EQ(t.world.host.helpContexts, std::vector<int> { 131182 });
    const QList<QSize> pictures = PictureSizes(t.page);
    EXPECT_TRUE(pictures.contains(QSize(145, 184)));
    EXPECT_TRUE(pictures.contains(QSize(322, 73)));
    EXPECT_FALSE(t.page.HasTimer());
}
