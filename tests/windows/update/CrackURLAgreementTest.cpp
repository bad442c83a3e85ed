// Our address splitting against the system's own InternetCrackUrl.
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include "update/HttpUrl.h"

TEST(CrackURLAgreement, SameResultAsInternetCrackUrl) {
  for (const char* url : {"http://example.com/a%20b/c.txt?x=1%202#frag", "http://user:pw@example.com:8080/dir/file.exe",
                          "https://example.com/x", "http://example.com/dir/", "http://127.0.0.1:3128/info.txt",
                          "file:///C:/dir/my%20file.txt", "file://server/share/x.txt"}) {
    char scheme[33], host[257], user[129], pass[129], path[2049], extra[2049];
    URL_COMPONENTSA c = {};
    c.dwStructSize = sizeof c;
    c.lpszScheme = scheme;
    c.dwSchemeLength = sizeof scheme;
    c.lpszHostName = host;
    c.dwHostNameLength = sizeof host;
    c.lpszUserName = user;
    c.dwUserNameLength = sizeof user;
    c.lpszPassword = pass;
    c.dwPasswordLength = sizeof pass;
    c.lpszUrlPath = path;
    c.dwUrlPathLength = sizeof path;
    c.lpszExtraInfo = extra;
    c.dwExtraInfoLength = sizeof extra;
    ASSERT_TRUE(InternetCrackUrlA(url, 0, ICU_ESCAPE, &c)) << url;
    update::TauURLParts ours;
    ASSERT_TRUE(update::CrackURL(url, ours)) << url;
    EXPECT_EQ(ours.Scheme, scheme) << url;
    EXPECT_EQ(ours.Host, host) << url;
    EXPECT_EQ(ours.Port, c.nPort) << url;
    EXPECT_EQ(ours.User, user) << url;
    EXPECT_EQ(ours.Password, pass) << url;
    EXPECT_EQ(ours.Path, path) << url;
    EXPECT_EQ(ours.Extra, extra) << url;
  }
}
