#include "app/update/HttpTransfer.h"

#include "UpdateTestSupport.h"
#include "app/update/UpdateMessages.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const TestUpdateServer& Server() { return TestUpdateServer::Get(); }

TEST(HttpGetText, FetchesAVersionFileOverHttpsAsTheVendorsHostSeesIt)
{
    Server().Put(L"get/plain/version", "1.0.0.4\n");
    const std::size_t earlier = Server().RequestsFor("/get/plain/version").size();
    std::wstring text = L"unchanged";
    EXPECT_EQ(HttpGetText(Server().Https(L"/get/plain/version"), text), 1);
    EXPECT_EQ(text, L"1.0.0.4\n");

    const std::vector<std::string> requests = Server().RequestsFor("/get/plain/version");
    ASSERT_EQ(requests.size(), earlier + 1);
    const std::string& request = requests.back();
    EXPECT_NE(request.find("\"scheme\": \"https\""), std::string::npos) << request;
    EXPECT_NE(request.find("\"User-Agent\": \"IIC2.0/PC 5.5.0000\""), std::string::npos) << request;
    EXPECT_NE(request.find("\"Accept\": \"*/*\""), std::string::npos) << request;
    EXPECT_NE(request.find("\"Pragma\": \"no-cache\""), std::string::npos) << request;
}

TEST(HttpGetText, ReadsUtf8UpToTheFirstZeroByteAndBodiesWithoutLength)
{
    Server().Put(L"get/utf8/version", std::string("v\xC3\xA9rsion\0tail", 12));
    std::wstring text;
    EXPECT_EQ(HttpGetText(Server().Https(L"/_fault/nolength/get/utf8/version"), text), 1);
    EXPECT_EQ(text, L"v\u00E9rsion");
}

struct FailureCase {
    const char* name;
    std::wstring (*address)(const std::wstring& path);
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

// Each address serves a version file that exists; only the transfer fails.
const FailureCase kFailures[] = {
    {"NotFound", [](const std::wstring& p) { return Server().Https(L"/_fault/404" + p); }},
    {"ServerError", [](const std::wstring& p) { return Server().Https(L"/_fault/500" + p); }},
    {"StallThenClose", [](const std::wstring& p) { return Server().Https(L"/_fault/stall" + p); }},
    {"StallMidBody", [](const std::wstring& p) { return Server().Https(L"/_fault/stall-body" + p); }},
    {"ClosedMidBody", [](const std::wstring& p) { return Server().Https(L"/_fault/close" + p); }},
    {"ClosedMidBodyPlainHttp", [](const std::wstring& p) { return Server().Http(L"/_fault/close" + p); }},
    {"Unreachable", [](const std::wstring& p) { return UnreachableAddress(p); }},
    // The certificate is checked: the same host with a certificate of no trusted authority.
    {"UntrustedCertificate", [](const std::wstring& p) { return Server().UntrustedHttps(p); }},
};

class HttpGetTextFailure : public testing::TestWithParam<FailureCase> { };

TEST_P(HttpGetTextFailure, LeavesTheTextAlone)
{
    Server().Put(L"get/failing/version", "1.0.0.4.1");
    std::wstring text = L"unchanged";
    EXPECT_EQ(HttpGetText(GetParam().address(L"/get/failing/version"), text), -1);
    EXPECT_EQ(text, L"unchanged");
}

INSTANTIATE_TEST_SUITE_P(Transfers, HttpGetTextFailure, testing::ValuesIn(kFailures),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(HttpGetText, RefusesADocumentLargerThanTheLimit)
{
    Server().Put(L"get/large/version", std::string(kMaxTextDocumentBytes + 1, '1'));
    std::wstring text = L"unchanged";
    EXPECT_EQ(HttpGetText(Server().Https(L"/get/large/version"), text), -1);
    EXPECT_EQ(text, L"unchanged");
    EXPECT_EQ(HttpGetText(Server().Https(L"/get/large/version"), text, kMaxTextDocumentBytes + 1), 1);
    EXPECT_EQ(text.size(), kMaxTextDocumentBytes + 1);
}

class HttpDownloadFileTest : public testing::Test {
protected:
    // The window's download state carries over from one call to the next.
    int Download(const std::wstring& address)
    {
        int result = 0;
        m_recorder.RunOnWorker(
            [&] { result = HttpDownloadFile(address, m_target, m_recorder.Window(), m_lastProgress); });
        return result;
    }

    TestFolder m_folder;
    std::wstring m_target = m_folder.Path() + L"download.bin";
    MessageRecorder m_recorder;
    int m_lastProgress = 0;
};

TEST_F(HttpDownloadFileTest, PostsProgressByTheContentLength)
{
    // 56320 bytes: L / 10240 is 5, so every piece adds 90 / 5 = 18 up to 100.
    // At least six pieces arrive however the reads split the body.
    ASSERT_EQ(Download(Server().Https(L"/archives/blob.bin")), 1);
    EXPECT_EQ(ReadWholeFile(m_target), ReadWholeFile(Server().ArchivesFolder() + L"blob.bin"));
    EXPECT_EQ(m_recorder.Progress(), (std::vector<LPARAM>{2, 8, 10, 28, 46, 64, 82, 100}));
    EXPECT_EQ(m_lastProgress, 100);
}

TEST_F(HttpDownloadFileTest, WithoutContentLengthPostsOnlyTheSteps)
{
    // An earlier download left 100, so this one starts by posting 0.
    m_lastProgress = 100;
    ASSERT_EQ(Download(Server().Https(L"/_fault/nolength/archives/blob.bin")), 1);
    EXPECT_EQ(m_recorder.Progress(), (std::vector<LPARAM>{0, 2, 8, 10, 100}));
    EXPECT_EQ(ReadWholeFile(m_target).size(), 56320u);
    for (const PostedMessage& m : m_recorder.All())
        EXPECT_EQ(m.message, static_cast<UINT>(WM_TRAY_NOTIFY));
}

TEST_F(HttpDownloadFileTest, AnErrorStatusMakesNoFile)
{
    for (const wchar_t* status : {L"404", L"500"}) {
        EXPECT_EQ(Download(Server().Https(std::wstring(L"/_fault/") + status + L"/archives/blob.bin")), -1);
        EXPECT_FALSE(PathFileExistsW(m_target.c_str())) << "an error page is not an archive";
    }
    EXPECT_EQ(Download(Server().Https(L"/archives/no-such.zip")), -1);
    EXPECT_FALSE(PathFileExistsW(m_target.c_str()));
    EXPECT_EQ(m_recorder.Progress(), (std::vector<LPARAM>{2, 8, 0, 2, 8, 0, 2, 8}));
}

TEST_F(HttpDownloadFileTest, ABrokenTransferFailsAndKeepsThePartialFile)
{
    for (const wchar_t* fault : {L"close", L"stall-body"}) {
        EXPECT_EQ(Download(Server().Https(std::wstring(L"/_fault/") + fault + L"/archives/blob.bin")), -1);
        EXPECT_LT(ReadWholeFile(m_target).size(), 56320u);
        const std::vector<LPARAM> progress = m_recorder.Progress();
        EXPECT_EQ(std::count(progress.begin(), progress.end(), 100), 0) << "no end was reported";
    }
}

TEST_F(HttpDownloadFileTest, AStallBeforeTheAnswerOrNoServerFails)
{
    EXPECT_EQ(Download(Server().Https(L"/_fault/stall/archives/blob.bin")), -1);
    EXPECT_EQ(Download(UnreachableAddress(L"/archives/blob.bin")), -1);
    EXPECT_FALSE(PathFileExistsW(m_target.c_str()));
    // How far a stalled request gets before it fails differs between WinINet
    // versions; no file is made and no end is reported either way.
    const std::vector<LPARAM> progress = m_recorder.Progress();
    EXPECT_EQ(std::count(progress.begin(), progress.end(), 10), 0);
    EXPECT_EQ(std::count(progress.begin(), progress.end(), 100), 0);
}

TEST_F(HttpDownloadFileTest, AFileThatCannotBeCreatedFails)
{
    m_target = m_folder.Path() + L"no-such-folder\\download.bin";
    EXPECT_EQ(Download(Server().Https(L"/archives/blob.bin")), -1);
}

} // namespace
