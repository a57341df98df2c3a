#include "engine/ui/HyperlinkLayout.h"
#include "gui/ui/CHyperlinkCtrl.h"
#include "gui/ui/HyperlinkTarget.h"
#include "gui/ui/PropertySheetFixture.h"
#include "support/RecordingNotifier.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace velarin;
using velarin::testing::CountPixels;

namespace {

// Takes the addresses QDesktopServices would hand to the desktop, for the schemes it is
// registered for.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(std::initializer_list<const char*> schemes)
    {
        for (const char* scheme : schemes) {
            schemes_.push_back(QString::fromLatin1(scheme));
            QDesktopServices::setUrlHandler(schemes_.back(), this, "open");
        }
    }
    ~UrlCatcher() override
    {
        for (const QString& scheme : schemes_)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }

private:
    QStringList schemes_;
};

struct LinkOnAPage {
    LinkOnAPage(const QString& text, const QString& target)
    {
        page.resize(400, 100);
        link = new CHyperlinkCtrl(text, &page);
        link->setGeometry(10, 10, 300, 40);
        link->SetNotifier(&notifier);
        if (!target.isEmpty())
            link->SetLinkTarget(target);
        link->OnAttach();
        page.show();
    }
    QImage Picture() const { return link->grab().toImage(); }

    QWidget page;
    CHyperlinkCtrl* link = nullptr;
    test::RecordingNotifier notifier;
};

} // namespace

TEST(HyperlinkCtrl, ShowsItsTextUnderlinedInLinkColourAndOpensThroughTheDesktop)
{
    UrlCatcher catcher { "https" };
    LinkOnAPage fixture(QStringLiteral("Home"), QStringLiteral("https://www.example.org/velarin"));
    CHyperlinkCtrl& link = *fixture.link;
    // Fitted to its text: the width of "Home".
    EXPECT_EQ(link.width(), QFontMetrics(link.font()).size(0, QStringLiteral("Home")).width());
    EXPECT_GT(CountPixels(fixture.Picture(), qRgb(0, 0, 238)), 0);
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(link.mapToGlobal(QPoint(3, 3))));
    QApplication::sendEvent(&link, &enter);
    EXPECT_GT(CountPixels(fixture.Picture(), link.hoverColor.rgb()), 0); // under the mouse
    QTest::mouseClick(&link, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.front(), QUrl(QStringLiteral("https://www.example.org/velarin")));
    EXPECT_TRUE(link.IsVisited());
    // The mouse is still over it; once it leaves, the visited colour shows.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&link, &leave);
    EXPECT_GT(CountPixels(fixture.Picture(), qRgb(85, 26, 139)), 0);
    // A target set later changes only the tooltip.
    LinkOnAPage titled(QStringLiteral("Write to us"), QString());
    EXPECT_EQ(titled.link->LinkTarget(), QStringLiteral("Write to us"));
    titled.link->SetLinkTarget(QStringLiteral("mailto:velarin-support@example.org"));
    EXPECT_EQ(titled.link->text(), QStringLiteral("Write to us"));
    EXPECT_EQ(titled.link->toolTip(), QStringLiteral("mailto:velarin-support@example.org"));
}

TEST(HyperlinkCtrl, AFailedOpenBeepsAndSaysWhyAndTheLinkStaysUnvisited)
{
    LinkOnAPage fixture(QStringLiteral("Home"), QStringLiteral("https://www.example.org/"));
    QStringList asked;
    fixture.link->SetOpener([&asked](const QString& target) {
        asked.push_back(target);
        return link_result::kNoAssociation;
    });
    fixture.link->OpenLink();
    EXPECT_FALSE(fixture.link->IsVisited());
    EXPECT_EQ(fixture.notifier.Beeps(), std::vector<MessageIcon> { MessageIcon::Exclamation });
    // A missing local file goes the same way with its own reason, without reaching the desktop.
    fixture.link->SetOpener(OpenHyperlinkTarget);
    fixture.link->SetLinkTarget(QStringLiteral("/nonexistent-velarin-folder/help.html"));
    fixture.link->OpenLink();
    EXPECT_EQ(fixture.notifier.Texts().back(),
        "Unable to open hyperlink:\n\nThe specified path was not found.");
}

TEST(HyperlinkTarget, LocalFilesAreCheckedBeforeTheDesktopIsAskedAndPathsBecomeFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_EQ(OpenHyperlinkTarget(folder.filePath(QStringLiteral("missing.html"))),
        link_result::kFileNotFound);
    EXPECT_EQ(OpenHyperlinkTarget(folder.filePath(QStringLiteral("no/such/missing.html"))),
        link_result::kPathNotFound);
    UrlCatcher catcher { "file" };
    QFile page(folder.filePath(QStringLiteral("index.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    EXPECT_EQ(OpenHyperlinkTarget(page.fileName()), link_result::kOpened);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.front().toLocalFile(), page.fileName());
    // Blanks around are dropped, blanks inside are encoded, not a reason to refuse the address.
    EXPECT_EQ(
        HyperlinkUrl(QStringLiteral(" https://example.org/a b ")).toString(QUrl::FullyEncoded),
        QStringLiteral("https://example.org/a%20b"));
    // Something that reads like an option reaches the opener as a file address, never bare.
    const QUrl option = HyperlinkUrl(QStringLiteral("--help"));
    EXPECT_EQ(option.toLocalFile(), QDir::current().absoluteFilePath(QStringLiteral("--help")));
    EXPECT_TRUE(option.toString().startsWith(QStringLiteral("file:///")));
}

#include "HyperlinkCtrlTest.moc"
