// Failures and the texts the user sees of them.
#include "system/failure.h"

#include <gtest/gtest.h>

namespace zarumo {
namespace {

TEST(Failures, CarryTheirMessages) {
  EXPECT_STREQ(IoFailure(2).what(), "ファイルが見つかりません");
  EXPECT_STREQ(IoFailure(3).what(), "不正なファイル名です");
  EXPECT_STREQ(IoFailure(4).what(), "オープンしたファイルが多すぎます");
  EXPECT_STREQ(IoFailure(5).what(), "ファイルへのアクセスが拒否されました");
  EXPECT_STREQ(IoFailure(32).what(), "I/O エラー (32)");
  EXPECT_EQ(IoFailure(32).Code(), 32);
  EXPECT_STREQ(SystemFailure(1400, "bad window").what(),
               "システムエラー。コード：1400.\r\nbad window");
  EXPECT_STREQ(ReadFailure().what(), "ストリームからの読み込みエラー");
  EXPECT_STREQ(OpenFailure("C:\\a.bmp").what(), "ファイル C:\\a.bmp は開けません");
  EXPECT_NE(IoFailure(5).Address(), nullptr);
}

}  // namespace
}  // namespace zarumo
