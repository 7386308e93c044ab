// The program's clipboard formats carry their blocks through the real clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "TestSupport.h"
#include "model/ClipboardBlock.h"
#include "objects/Clipboard.h"

TEST(Clipboard, BlocksRoundTripUnderTheirOwnFormat) {
  const QByteArray stream = Hex("01000000 00 ff 10");
  PutStreamOnClipboard(stream, ClipboardFormats::Actions);
  QByteArray back;
  ASSERT_TRUE(GetStreamFromClipboard(back, ClipboardFormats::Actions));
  EXPECT_EQ(back, stream);
  // The other format is not there.
  EXPECT_FALSE(GetStreamFromClipboard(back, ClipboardFormats::Objects));
  EXPECT_TRUE(back.isEmpty());
  // Text on the clipboard is not ours.
  QGuiApplication::clipboard()->setText(QStringLiteral("hello"));
  EXPECT_FALSE(GetStreamFromClipboard(back, ClipboardFormats::Actions));
  // A damaged block is refused.
  auto* data = new QMimeData;
  data->setData(ClipboardFormats::Objects, Hex("ff000000 01"));
  QGuiApplication::clipboard()->setMimeData(data);
  EXPECT_FALSE(GetStreamFromClipboard(back, ClipboardFormats::Objects));
}
