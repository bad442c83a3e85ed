#include <gtest/gtest.h>

#include "update/HttpUrl.h"

using namespace update;

TEST(CrackURL, SplitsEveryPart) {
  TauURLParts p;
  ASSERT_TRUE(CrackURL("http://user:pw@example.com:8080/dir/a%20b.exe?x=1#top", p));
  EXPECT_EQ(p.Scheme, "http");
  EXPECT_EQ(p.Host, "example.com");
  EXPECT_EQ(p.Port, 8080);
  EXPECT_EQ(p.User, "user");
  EXPECT_EQ(p.Password, "pw");
  EXPECT_EQ(p.Path, "/dir/a%20b.exe");  // escapes go to the server as written
  EXPECT_EQ(p.Extra, "?x=1#top");
}

TEST(CrackURL, DefaultsAndTheMissingScheme) {
  struct Case {
    const char* url;
    const char* scheme;
    const char* host;
    int port;
    const char* path;
    const char* extra;
  } cases[] = {
      {"www.example.com/info.txt", "http", "www.example.com", 80, "/info.txt", ""},
      {"HTTPS://Example.com/x", "https", "Example.com", 443, "/x", ""},
      {"http://example.com", "http", "example.com", 80, "", ""},
      {"http://example.com?q=1", "http", "example.com", 80, "", "?q=1"},
      {"ftp://example.com/x", "ftp", "example.com", 21, "/x", ""},
      {"http://[::1]:8080/x", "http", "[::1]", 8080, "/x", ""},
      {"127.0.0.1:3128/a/b", "http", "127.0.0.1", 3128, "/a/b", ""},
  };
  for (const Case& c : cases) {
    TauURLParts p;
    ASSERT_TRUE(CrackURL(c.url, p)) << c.url;
    EXPECT_EQ(p.Scheme, c.scheme) << c.url;
    EXPECT_EQ(p.Host, c.host) << c.url;
    EXPECT_EQ(p.Port, c.port) << c.url;
    EXPECT_EQ(p.Path, c.path) << c.url;
    EXPECT_EQ(p.Extra, c.extra) << c.url;
  }
}

TEST(CrackURL, FileAddressesBecomeLocalPaths) {
  TauURLParts p;
  ASSERT_TRUE(CrackURL("file:///C:/dir/my%20file.txt", p));
  EXPECT_EQ(p.Scheme, "file");
  EXPECT_EQ(p.Path, "C:\\dir\\my file.txt");
  ASSERT_TRUE(CrackURL("file://C:/dir/x.txt", p));
  EXPECT_EQ(p.Path, "C:\\dir\\x.txt");
  ASSERT_TRUE(CrackURL("file://server/share/x.txt", p));
  EXPECT_EQ(p.Host, "server");
  EXPECT_EQ(p.Path, "\\\\server\\share\\x.txt");
}

TEST(CrackURL, RefusesWhatCannotBeSplit) {
  TauURLParts p;
  for (const std::string& url :
       {std::string("://host/x"), std::string("http://example.com:99999/x"), std::string("http://example.com:8o/x"),
        std::string("http:///x"), std::string("ht tp://h/x"), "http://" + std::string(257, 'h') + "/x",
        "http://h/" + std::string(2048, 'p'), "http://" + std::string(129, 'u') + "@h/x"})
    EXPECT_FALSE(CrackURL(url, p)) << url.substr(0, 40);
  EXPECT_TRUE(CrackURL("http://" + std::string(256, 'h') + "/" + std::string(2047, 'p'), p));
}

TEST(CrackURL, HostNameAndSchemeHelpers) {
  EXPECT_EQ(URLHostName("update.example.com/lumenrig/info.txt"), "update.example.com");
  EXPECT_EQ(URLHostName("http://:x"), "");
  EXPECT_EQ(WithScheme("host/x"), "http://host/x");
  EXPECT_EQ(WithScheme("file:///x"), "file:///x");
}
