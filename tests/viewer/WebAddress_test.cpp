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

// An e-mail address keeps its recipients and the fields that fill in a message; anything else,
// above all an attachment, never reaches the mail program.
TEST(WebAddress, MailAddressKeepsOnlyRecipientsAndMessageFields)
{
    struct MailCase {
        const char* address;
        const char* handedOn;
    };
    const MailCase cases[] = {
        {"mailto:a@example.com?attach=/root/.ssh/id_rsa&subject=hi", "mailto:a@example.com?subject=hi"},
        {"mailto:a@example.com?attach=/root/.ssh/id_rsa", "mailto:a@example.com"},
        {"mailto:?attachment=/etc/shadow", "mailto:"},
        {"mailto:a@example.com?%61ttach=/root/.ssh/id_rsa&body=x", "mailto:a@example.com?body=x"},
        {"mailto:a@example.com?ATTACH=/x&Attachment=/y&X-Unknown=1&in-reply-to=z", "mailto:a@example.com"},
        {"mailto:a@example.com?subject=hi?attach=/root/.ssh/id_rsa", "mailto:a@example.com?subject=hi"},
        {"mailto:a@example.com??attach=/x??cc=b@example.com", "mailto:a@example.com?cc=b@example.com"},
        {"mailto:a@example.com?subject=hi#&attach=/x", "mailto:a@example.com?subject=hi"},
        {"mailto:a@example.com,b@example.com?Subject=Party%20time&BODY=Come&Cc=c@example.com&bcc=d@example.com",
         "mailto:a@example.com,b@example.com?Subject=Party%20time&BODY=Come&Cc=c@example.com&bcc=d@example.com"},
        {"mailto:?to=a@example.com&%73ubject=hi&attach=/x", "mailto:?to=a@example.com&%73ubject=hi"},
        {"  MailTo:a@example.com?subject=hi&attach=/x  ", "MailTo:a@example.com?subject=hi"},
        {"mailto:a@example.com", "mailto:a@example.com"},
        {"https://www.vantrel-dederuvevur.example/?attach=1#x", "https://www.vantrel-dederuvevur.example/?attach=1#x"},
        {"www.vantrel-dederuvevur.example/?attach=1", "www.vantrel-dederuvevur.example/?attach=1"},
    };
    for (const MailCase& c : cases) {
        SCOPED_TRACE(c.address);
        TestServices services;
        EXPECT_EQ(addressToOpen(QString::fromUtf8(c.address)).toStdString(), c.handedOn);
        openWebAddress(QString::fromUtf8(c.address), nullptr);
        EXPECT_EQ(services.shell().documents.join(" | ").toStdString(), c.handedOn);
        EXPECT_TRUE(services.ui().msgBoxes.empty());
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
