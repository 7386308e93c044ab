// The login dialog: its texts, the check of entries without spaces, three attempts, giving up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <tuple>

#include "TestSupport.h"
#include "model/Globals.h"
#include "player/LoginForm.h"

namespace {
class LoginTest : public ::testing::Test {
 protected:
  // The project settings these tests change.
  static auto Fields() {
    return std::tie(Project.SecurityType, Project.SecurityUserAuthList, Project.AppTitle, Project.SecurityTitle,
                    Project.SecurityUserAuthLabel, Project.SecurityPasswordLabel, Project.SecurityErrorMessage,
                    Project.SecurityOKButtonCaption, Project.SecurityCancelButtonCaption);
  }

  void SetUp() override {
    Saved = Fields();
    Project.AppTitle = QStringLiteral("Holiday Disc");
    Recorded().Shown.clear();
  }
  void TearDown() override { Fields() = Saved; }

  // Opens a prepared dialog without a modal loop.
  static void Open(TLoginForm& form, TSecurityType type, const QString& list) {
    Project.SecurityType = type;
    Project.SecurityUserAuthList = list;
    form.Prepare();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  static void Try(TLoginForm& form, const QString& user, const QString& password = {}) {
    form.Edit1->clear();
    form.Edit2->clear();
    QTest::keyClicks(form.Edit1, user);
    QTest::keyClicks(form.Edit2, password);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
  }

  std::tuple<TSecurityType, QString, QString, QString, QString, QString, QString, QString, QString> Saved;
};
}  // namespace

TEST_F(LoginTest, TextsFromTheProject) {
  {
    TLoginForm form;
    EXPECT_EQ(form.Label3->text(), QStringLiteral("Login"));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("User Name:"));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("Password:"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("&OK"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(form.size(), QSize(505, 155));
    EXPECT_EQ(form.Edit2->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(form.Button1->isDefault());

    Project.SecurityTitle = QStringLiteral("Members only");
    Project.SecurityUserAuthLabel = QStringLiteral("Member: ");
    Project.SecurityPasswordLabel = QStringLiteral("Secret: ");
    Project.SecurityOKButtonCaption = QStringLiteral("Enter");
    Project.SecurityCancelButtonCaption.clear();  // keeps the built-in caption
    Open(form, stUser, QStringLiteral("a,b"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Holiday Disc"));
    EXPECT_EQ(form.Label3->text(), QStringLiteral("Members only"));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Member: "));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("Secret: "));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Enter"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("&Cancel"));
    EXPECT_TRUE(form.Edit2->isVisible());
  }
  {
    TLoginForm form;
    Open(form, stAuthentication, QStringLiteral("code"));
    EXPECT_FALSE(form.Label2->isVisible());
    EXPECT_FALSE(form.Edit2->isVisible());
    EXPECT_TRUE(form.Edit1->isVisible());
  }
}

TEST_F(LoginTest, EntriesCompareWithoutSpacesAndWithCase) {
  struct Case {
    const char* name;
    TSecurityType type;
    const char* list;
    const char* user;
    const char* password;
    bool accepted;
  };
  const Case cases[] = {
      {"exact", stUser, "alice,Secret", "alice", "Secret", true},
      {"space after comma in list", stUser, "alice, Secret", "alice", "Secret", true},
      {"spaces typed", stUser, "alice,Secret", " al ice ", "Sec ret ", true},
      {"password with spaces typed without", stUser, "alice,my pass word", "alice", "mypassword", true},
      {"later line", stUser, "bob,1\nalice,Secret\ncarol,3", "alice", "Secret", true},
      {"CR LF lines", stUser, "bob,1\r\nalice,Secret\r\n", "alice", "Secret", true},
      {"user in other case", stUser, "alice,Secret", "Alice", "Secret", false},
      {"password in other case", stUser, "alice,Secret", "alice", "secret", false},
      {"wrong pairing", stUser, "alice,1\nbob,2", "alice", "2", false},
      {"empty password matches a line ending in a comma", stUser, "guest,", "guest", "", true},
      {"empty password against a password", stUser, "guest,x", "guest", "", false},
      {"no-break space is not a space", stUser, "alice,Secret", "alice\xc2\xa0", "Secret", false},
      {"code", stAuthentication, "AB-12\nCD-34", "CD-34", "", true},
      {"code with spaces", stAuthentication, "AB 12", " AB12", "", true},
      {"code in other case", stAuthentication, "AB-12", "ab-12", "", false},
      {"password ignored for codes", stAuthentication, "AB-12", "AB-12", "anything", true},
      {"user line is no code", stAuthentication, "alice,Secret", "alice", "Secret", false},
      {"blank code against a blank line", stAuthentication, "AB-12\n\nCD-34", "   ", "", false},
  };
  for (const Case& c : cases) {
    Recorded().Shown.clear();
    TLoginForm form;
    Open(form, c.type, QString::fromUtf8(c.list));
    Try(form, QString::fromUtf8(c.user), QString::fromUtf8(c.password));
    EXPECT_EQ(form.Ok, c.accepted) << c.name;
    EXPECT_EQ(form.isVisible(), !c.accepted) << c.name;
    EXPECT_EQ(form.ErrorCount, c.accepted ? 0 : 1) << c.name;
    EXPECT_EQ(Recorded().Shown.size(), c.accepted ? 0u : 1u) << c.name;
  }
}

TEST_F(LoginTest, ThreeRejectionsEndTheDialog) {
  Project.SecurityErrorMessage = QStringLiteral("No entry.");
  TLoginForm form;
  Open(form, stUser, QStringLiteral("alice,Secret"));

  // An empty first field is no attempt.
  Try(form, QString(), QStringLiteral("Secret"));
  EXPECT_EQ(form.ErrorCount, 0);
  EXPECT_TRUE(Recorded().Shown.empty());

  for (int attempt = 1; attempt <= 3; ++attempt) {
    Try(form, QStringLiteral("alice"), QStringLiteral("wrong"));
    EXPECT_EQ(form.ErrorCount, attempt);
    EXPECT_EQ(form.isVisible(), attempt < 3) << attempt;
  }
  EXPECT_FALSE(form.Ok);
  EXPECT_EQ(form.result(), QDialog::Rejected);
  ASSERT_EQ(Recorded().Shown.size(), 3u);
  for (const TMessage& m : Recorded().Shown) {
    EXPECT_EQ(m.Caption, QStringLiteral("Holiday Disc"));
    EXPECT_EQ(m.Text, QStringLiteral("No entry."));
    EXPECT_EQ(m.Icon, TMsgIcon::Information);
    EXPECT_EQ(m.Buttons, mbOK);
  }
}

TEST_F(LoginTest, TwoRejectionsThenTheRightEntry) {
  TLoginForm form;
  Open(form, stAuthentication, QStringLiteral("OPEN-SESAME"));
  Try(form, QStringLiteral("open-sesame"));
  Try(form, QStringLiteral("OPEN SESAME!"));
  EXPECT_TRUE(form.isVisible());
  // Enter presses the default button.
  form.Edit1->clear();
  QTest::keyClicks(form.Edit1, QStringLiteral("OPEN-SESAME"));
  QTest::keyClick(form.Edit1, Qt::Key_Return);
  EXPECT_TRUE(form.Ok);
  EXPECT_EQ(form.ErrorCount, 2);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(LoginTest, GivingUp) {
  enum How { CancelButton, Escape, CloseBox };
  for (const How how : {CancelButton, Escape, CloseBox}) {
    TLoginForm form;
    Open(form, stUser, QStringLiteral("alice,Secret"));
    QTest::keyClicks(form.Edit1, QStringLiteral("alice"));
    QTest::keyClicks(form.Edit2, QStringLiteral("Secret"));
    if (how == CancelButton) QTest::mouseClick(form.Button2, Qt::LeftButton);
    if (how == Escape) QTest::keyClick(form.Edit2, Qt::Key_Escape);
    if (how == CloseBox) form.close();
    EXPECT_FALSE(form.isVisible()) << how;
    EXPECT_FALSE(form.Ok) << how;
    EXPECT_EQ(form.result(), QDialog::Rejected) << how;
    EXPECT_TRUE(Recorded().Shown.empty()) << how;
  }
}

TEST_F(LoginTest, ExecuteLoginAsksOnlyWhenTheProjectDoes) {
  const std::tuple<TSecurityType, const char*> open[] = {
      {stNone, "alice,Secret"},
      {stUser, ""},
      {stAuthentication, ""},
      {static_cast<TSecurityType>(9), "alice,Secret"},
  };
  for (const auto& [type, list] : open) {
    Project.SecurityType = type;
    Project.SecurityUserAuthList = QString::fromUtf8(list);
    EXPECT_TRUE(ExecuteLogin()) << int(type) << list;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

TEST_F(LoginTest, ExecuteLoginRunsTheModalDialog) {
  struct Case {
    const char* typed;
    bool cancel;
    bool result;
  };
  const Case cases[] = {{"CD-34", false, true}, {"CD-34", true, false}};
  for (const Case& c : cases) {
    Project.SecurityType = stAuthentication;
    Project.SecurityUserAuthList = QStringLiteral("AB-12\nCD-34");
    // Answers the dialog from inside its modal loop; gives up on it should the typing fail.
    int polls = 0;
    QTimer driver;
    driver.setInterval(10);
    QObject::connect(&driver, &QTimer::timeout, [&] {
      auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      auto* login = dynamic_cast<TLoginForm*>(form);
      if (!login) {
        if (++polls > 500) driver.stop();
        return;
      }
      driver.stop();
      if (c.cancel) {
        QTest::mouseClick(login->Button2, Qt::LeftButton);
        return;
      }
      QTest::keyClicks(login->Edit1, QString::fromUtf8(c.typed));
      QTest::mouseClick(login->Button1, Qt::LeftButton);
      if (login->isVisible()) login->reject();
    });
    driver.start();
    EXPECT_EQ(ExecuteLogin(), c.result) << c.typed << c.cancel;
    EXPECT_LE(polls, 500);
  }
}
