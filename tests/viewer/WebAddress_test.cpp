#include "viewer/WebAddress.h"

#include "support/TestServices.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* address;
    bool opened;
};

// Web and e-mail addresses reach the desktop; files, programs and other schemes never do.
const Case kCases[] = {
    {"http://www.vantrel-dederuvevur.example/order", true},
    {"HTTPS://www.vantrel-dederuvevur.example", true},
    {"mailto:support@vantrel-dederuvevur.example", true},
    {"MailTo:support@vantrel-dederuvevur.example", true},
    {"www.vantrel-dederuvevur.example", true},
    {"WWW.Vantrel-Dederuvevur.example", true},
    {"  https://www.vantrel-dederuvevur.example  ", true},
    {"", false},
    {"   ", false},
    {"http://", false},
    {"www.", false},
    {"file:///etc/passwd", false},
    {"FILE:///home/user/.bashrc", false},
    {"/usr/bin/xterm", false},
    {"\\usr\\bin\\xterm", false},
    {"C:\\Windows\\notepad.exe", false},
    {"Templates\\Default.MVL", false},
    {"javascript:alert(1)", false},
    {"ftp://ftp.vantrel-dederuvevur.example", false},
    {"wwwvantrel.example", false},
    {"smb://server/share", false},
};

TEST(WebAddress, OpensOnlyWebAndMailAddresses)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.address);
        TestServices services;
        const QString address = QString::fromUtf8(c.address);
        EXPECT_EQ(isWebAddress(address), c.opened);
        openWebAddress(address, nullptr);
        if (c.opened) {
            EXPECT_EQ(services.shell().documents, QStringList{address.trimmed()});
            EXPECT_TRUE(services.ui().msgBoxes.empty());
        } else {
            EXPECT_TRUE(services.shell().documents.isEmpty());
            ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
            EXPECT_EQ(services.ui().msgBoxes[0].prompt,
                      "The address \"" + address + "\" cannot be opened: only web and e-mail addresses are opened.");
            EXPECT_EQ(services.ui().msgBoxes[0].buttons & 7, platform::vbmsg::vbOKOnly);
        }
    }
}

TEST(WebAddress, DesktopFailureIsReportedOnce)
{
    TestServices services;
    services.shell().succeed = false;
    openWebAddress(makerWebSite(), nullptr);
    EXPECT_EQ(services.shell().documents, QStringList{makerWebSite()});
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_TRUE(services.ui().msgBoxes[0].prompt.contains(makerWebSite()));
}

TEST(WebAddress, MakerWebSiteIsAWebAddress)
{
    EXPECT_TRUE(isWebAddress(makerWebSite()));
}

} // namespace
