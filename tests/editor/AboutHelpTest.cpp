#include "AboutBox.h"
#include "HelpDialog.h"
#include "MainWindowFixture.h"
#include "ProgramVersion.h"

#include <functional>
#include <ostream>
#include <string>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

// Readable failure messages: gtest finds this beside QString.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const std::string FileVersionQuery = "\\StringFileInfo\\040904E4\\FileVersion";
const std::string ProductNameQuery = "\\StringFileInfo\\040904E4\\ProductName";

VersionBlock BlockWithFileVersion(const std::string &version)
{
    return {{FileVersionQuery, version}, {ProductNameQuery, "VEzaz"}};
}

QString LabelText(QWidget *dialog, const char *name)
{
    auto *label = dialog->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

} // namespace

class AboutHelpTest : public MainWindowFixture
{
protected:
    // Runs a menu command that shows a dialog modally. From inside the dialog's own event loop
    // the dialog is handed to inspect, then closed with the OK button named okButton; the
    // command returns once the dialog has closed.
    void runModal(const QString &action,
                  const QString &okButton,
                  const std::function<void(QDialog *)> &inspect)
    {
        bool inspected = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no modal dialog is showing";
                return;
            }
            inspect(dialog);
            inspected = true;
            if (auto *button = dialog->findChild<QPushButton *>(okButton))
                QTest::mouseClick(button, Qt::LeftButton);
            else
                dialog->reject();
        });
        triggerAction(action);
        EXPECT_TRUE(inspected) << action.toStdString() << " showed no dialog";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the dialog stayed open";
    }

    QString urlOpened(std::size_t index)
    {
        return index < openedUrls.size() ? openedUrls[index].toString(QUrl::FullyEncoded)
                                         : QStringLiteral("<nothing opened>");
    }
};

TEST_F(AboutHelpTest, AboutShowsTheProgramAndTheVersionOfItsBlockInAFixedCentredDialog)
{
    versionBlock = BlockWithFileVersion("0.3.3.2");
    StartWithoutFile();
    runModal(QStringLiteral("About1"), QStringLiteral("OKButton"), [&](QDialog *dialog) {
        EXPECT_NE(qobject_cast<TAboutBox *>(dialog), nullptr);
        EXPECT_EQ(dialog->windowTitle(), "About VEzaz");
        EXPECT_EQ(dialog->size(), QSize(298, 213));
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
        EXPECT_EQ(dialog->geometry().center(), dialog->screen()->availableGeometry().center());
        EXPECT_EQ(LabelText(dialog, "ProductName"), "VEzaz");
        EXPECT_EQ(LabelText(dialog, "Label1"), "Version");
        EXPECT_EQ(LabelText(dialog, "Version"), "0.3.3.2");
        EXPECT_EQ(LabelText(dialog, "UrlLabel"), "https://vezaz.example.org/");
        EXPECT_EQ(LabelText(dialog, "EmailLabel"), "email: vezaz@example.org");
        auto *icon = dialog->findChild<QLabel *>(QStringLiteral("ProgramIcon"));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->geometry(), QRect(24, 19, 32, 32));
        EXPECT_EQ(icon->pixmap().deviceIndependentSize(), QSizeF(32, 32));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("OKButton"));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(ok->geometry(), QRect(111, 180, 75, 25));
    });
    EXPECT_TRUE(openedUrls.empty());
}

TEST_F(AboutHelpTest, ABuildWithoutAnyVersionBlockApologisesAndLinksWithUnknown)
{
    StartWithoutFile();
    runModal(QStringLiteral("About1"), QStringLiteral("OKButton"), [](QDialog *dialog) {
        EXPECT_EQ(LabelText(dialog, "Version"),
                  "Unknown - I forgot to add version info to this build. Oops.");
    });
    triggerAction(QStringLiteral("VisitDevelopersWebsite1"));
    EXPECT_EQ(urlOpened(0), "https://vezaz.example.org/developer/?dminiversion=Unknown");
}

TEST_F(AboutHelpTest, ABlockWithoutTheUsEnglishFileVersionShowsAndLinksUnknown)
{
    versionBlock = VersionBlock{{ProductNameQuery, "VEzaz"},
                                {"\\StringFileInfo\\040704E4\\FileVersion", "9.9.9.9"}};
    StartWithoutFile();
    runModal(QStringLiteral("About1"), QStringLiteral("OKButton"), [](QDialog *dialog) {
        EXPECT_EQ(LabelText(dialog, "Version"), "Unknown");
    });
    triggerAction(QStringLiteral("VisitDevelopersWebsite1"));
    EXPECT_EQ(urlOpened(0), "https://vezaz.example.org/developer/?dminiversion=Unknown");
}

TEST_F(AboutHelpTest, TheDeveloperLinkCarriesTheVersionReadAnewEachTimeButAboutKeepsItsOwn)
{
    versionBlock = BlockWithFileVersion("0.3.3.2");
    StartWithoutFile();
    triggerAction(QStringLiteral("VisitDevelopersWebsite1"));
    versionBlock = BlockWithFileVersion("1.2.3.4");
    triggerAction(QStringLiteral("VisitDevelopersWebsite1"));

    EXPECT_EQ(urlOpened(0), "https://vezaz.example.org/developer/?dminiversion=0.3.3.2");
    EXPECT_EQ(openedUrls.at(0).query(), "dminiversion=0.3.3.2");
    EXPECT_EQ(urlOpened(1), "https://vezaz.example.org/developer/?dminiversion=1.2.3.4");
    // The About box read the version once, when it was created.
    runModal(QStringLiteral("About1"), QStringLiteral("OKButton"), [](QDialog *dialog) {
        EXPECT_EQ(LabelText(dialog, "Version"), "0.3.3.2");
    });
}

TEST_F(AboutHelpTest, TheHomePageOpensFromTheMenuAndFromASingleClickOnItsAddress)
{
    StartWithoutFile();
    triggerAction(QStringLiteral("VisitVEzazHomepage1"));
    runModal(QStringLiteral("About1"), QStringLiteral("OKButton"), [](QDialog *dialog) {
        QTest::mouseClick(dialog->findChild<QLabel *>(QStringLiteral("UrlLabel")), Qt::LeftButton);
    });

    ASSERT_EQ(openedUrls.size(), 2u);
    EXPECT_EQ(urlOpened(0), "https://vezaz.example.org/");
    EXPECT_EQ(urlOpened(1), "https://vezaz.example.org/");
}

TEST_F(AboutHelpTest, OnlyADoubleClickOnTheMailAddressOpensAMailMessage)
{
    StartWithoutFile();
    runModal(QStringLiteral("About1"), QStringLiteral("OKButton"), [this](QDialog *dialog) {
        auto *email = dialog->findChild<QLabel *>(QStringLiteral("EmailLabel"));
        ASSERT_NE(email, nullptr);
        EXPECT_EQ(email->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_TRUE(email->font().underline());
        QTest::mouseClick(email, Qt::LeftButton);
        EXPECT_TRUE(openedUrls.empty());
        QTest::mouseDClick(email, Qt::LeftButton);
    });

    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(urlOpened(0), "mailto:vezaz@example.org");
}

TEST_F(AboutHelpTest, HelpExplainsTheTextColorsPageInAFixedCentredDialog)
{
    StartWithoutFile();
    runModal(QStringLiteral("Help2"), QStringLiteral("OKBtn"), [](QDialog *dialog) {
        EXPECT_NE(qobject_cast<TOKBottomDlg *>(dialog), nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Help");
        EXPECT_EQ(dialog->size(), QSize(313, 214));
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
        EXPECT_EQ(dialog->geometry().center(), dialog->screen()->availableGeometry().center());
        EXPECT_EQ(LabelText(dialog, "Label1"), "Click User color to select it for editing.");
        EXPECT_EQ(LabelText(dialog, "Label2"), "Edit color using sliders or edit boxes.");
        EXPECT_EQ(LabelText(dialog, "Label3"), "Click accept to keep changes");
        EXPECT_EQ(LabelText(dialog, "Label4"),
                  "Click Cancel to clear changes.\n(Won't work if you've already clicked Accept.)");
        for (int line = 1; line <= 4; ++line) {
            auto *label = dialog->findChild<QLabel *>(QStringLiteral("Label%1").arg(line));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->pos(), QPoint(24, 24 * line));
        }
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("OKBtn"));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(ok->geometry(), QRect(119, 180, 75, 25));
    });
    // Shown again, it is the same dialog, kept for the whole run.
    runModal(QStringLiteral("Help2"), QStringLiteral("OKBtn"), [](QDialog *) {});
    EXPECT_EQ(window().findChildren<TOKBottomDlg *>().size(), 1);
}

TEST(ProgramVersionBlock, TheProgramCarriesItsVersionBlock)
{
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the block is the executable's resource, which tests lack";
#endif
    const auto block = ReadOwnVersionBlock();
    ASSERT_TRUE(block.has_value());
    const auto text = [&](const char *entry) {
        const auto found = block->find(VersionQuery(entry));
        return found == block->end() ? std::string("<missing>") : found->second;
    };
    EXPECT_EQ(text("FileVersion"), "0.3.3.2");
    EXPECT_EQ(text("ProductVersion"), "0.0.0.0");
    EXPECT_EQ(text("ProductName"), "VEzaz");
    EXPECT_EQ(text("InternalName"), "VEzaz");
    EXPECT_EQ(text("OriginalFilename"), "vezaz.exe");
    EXPECT_EQ(text("FileDescription"), "Duskmarch ini file editor");
    EXPECT_EQ(text("CompanyName"), "VEzaz developers");
    EXPECT_EQ(text("LegalCopyright"), "Copyright (c) 2026 VEzaz developers. MIT licence.");
    EXPECT_EQ(VersionQuery("FileVersion"), "\\StringFileInfo\\040904E4\\FileVersion");
}
