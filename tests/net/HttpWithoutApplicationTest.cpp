#include <gtest/gtest.h>

#include <QCoreApplication>

#include "CHTTPConnection.h"
#include "ErrorLogCapture.h"

namespace {

// No application object: the network layer cannot start.
TEST(HttpWithoutApplication, ConnectFailsWith32000) {
  ASSERT_EQ(QCoreApplication::instance(), nullptr);
  ErrorLogCapture log;
  CHTTPConnection http;
  EXPECT_FALSE(http.Connect("127.0.0.1:8080"));
  ASSERT_EQ(log.Lines().size(), 1);
  EXPECT_TRUE(log.Lines()[0].startsWith("32000\tUnable to initialze WinInet API\tCHTTPConnection\t"))
      << log.Lines()[0].toStdString();
}

}  // namespace
