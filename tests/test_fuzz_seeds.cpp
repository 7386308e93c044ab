// Writes valid stored forms as seeds for the fuzz targets, and checks each seed reads back.
#include <gtest/gtest.h>

#include <QBuffer>

#include "TestSupport.h"
#include "model/Project.h"

TEST(FuzzSeeds, PayloadOfEveryKind) {
  for (int kind = 0; kind < ObjectTypeCount; ++kind) {
    auto payload = NewPayload(static_cast<TObjectType>(kind));
    ASSERT_TRUE(payload) << kind;
    const QByteArray bytes = WriteBytes([&](TStream& s) { return payload->Write(s); });
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TStream s(&buffer);
    auto back = NewPayload(static_cast<TObjectType>(kind));
    ASSERT_TRUE(back->Read(s)) << kind;
    EXPECT_TRUE(back->Equals(*payload)) << kind;
    SaveFuzzSeed("payloads", GetObjectTypeName(kind), QByteArray(1, char(kind)) + bytes);
  }
}
