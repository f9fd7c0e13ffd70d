// ConvertVtqCli.exe run as a user runs it: arguments, printed lines, exit status and files written.
#include "raw_zip_reader.h"
#include "raw_zip_writer.h"
#include "zip_test_util.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testzip::TempDir;

// "プロジェクト" and "図面.txt" in Shift_JIS; "表" (95 5C) ends in a backslash byte.
const std::string kSjisProject = "\x83\x76\x83\x8D\x83\x57\x83\x46\x83\x4E\x83\x67";
const std::string kSjisDrawing = "\x90\x7D\x96\xCA.txt";
const std::string kSjisTable = "\x95\x5C";

std::wstring ExePath()
{
    // The build passes the executable's Linux path; Wine maps the Linux root to drive Z:.
    std::wstring path = L"Z:" + std::wstring(CVQ_CLI_EXE_PATH);
    for (auto& ch : path) {
        if (ch == L'/')
            ch = L'\\';
    }
    return path;
}

std::wstring FromUtf8(const std::string& bytes)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t nl; (nl = text.find(L'\n', start)) != std::wstring::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

struct CliResult {
    DWORD exitCode = 0;
    std::wstring out;
    std::wstring err;
    std::vector<std::wstring> OutLines() const { return SplitLines(out); }
    // The printed lines without their time stamps, after checking the stamp's format.
    std::vector<std::wstring> Messages() const
    {
        std::vector<std::wstring> messages;
        const std::wregex stamp(L"^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2} ");
        for (const auto& line : OutLines()) {
            EXPECT_TRUE(std::regex_search(line, stamp)) << "no time stamp: " << testing::PrintToString(line);
            messages.push_back(line.size() > 20 ? line.substr(20) : line);
        }
        return messages;
    }
};

class ReadPipe {
public:
    ReadPipe()
    {
        SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
        CreatePipe(&m_read, &m_write, &sa, 0);
        SetHandleInformation(m_read, HANDLE_FLAG_INHERIT, 0);
    }
    ~ReadPipe()
    {
        CloseWrite();
        CloseHandle(m_read);
    }
    HANDLE Write() const { return m_write; }
    void CloseWrite()
    {
        if (m_write)
            CloseHandle(m_write);
        m_write = nullptr;
    }
    // Reads until the writer closes, on a thread of its own so that neither pipe can fill up.
    std::thread Drain(std::string& into)
    {
        return std::thread([this, &into] {
            char buf[4096];
            DWORD n = 0;
            while (ReadFile(m_read, buf, sizeof(buf), &n, nullptr) && n > 0)
                into.append(buf, n);
        });
    }

private:
    HANDLE m_read = nullptr;
    HANDLE m_write = nullptr;
};

// Starts the converter with the arguments; onStarted may act on the running process.
CliResult RunCli(const std::vector<std::wstring>& args, const fs::path& cwd,
                 const std::function<void(const PROCESS_INFORMATION&)>& onStarted = {}, DWORD dwFlags = 0)
{
    std::wstring cmd = L"\"" + ExePath() + L"\"";
    for (const auto& a : args)
        cmd += L" \"" + a + L"\"";
    ReadPipe out;
    ReadPipe err;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out.Write();
    si.hStdError = err.Write();
    PROCESS_INFORMATION pi{};
    CliResult result;
    const std::wstring dir = testzip::Wide(cwd);
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, dwFlags ? dwFlags : CREATE_NEW_PROCESS_GROUP, nullptr, dir.c_str(),
                        &si, &pi)) {
        ADD_FAILURE() << "cannot start " << testing::PrintToString(ExePath());
        return result;
    }
    out.CloseWrite();
    err.CloseWrite();
    std::string outBytes;
    std::string errBytes;
    std::thread t1 = out.Drain(outBytes);
    std::thread t2 = err.Drain(errBytes);
    if (onStarted)
        onStarted(pi);
    if (WaitForSingleObject(pi.hProcess, 120000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 99);
        ADD_FAILURE() << "the converter did not end";
    }
    t1.join();
    t2.join();
    GetExitCodeProcess(pi.hProcess, &result.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    result.out = FromUtf8(outBytes);
    result.err = FromUtf8(errBytes);
    return result;
}

std::string ShiftJisProjectArchive(const std::string& top)
{
    testzip::RawArchive a;
    a.entries.push_back(testzip::Entry(top + "/", "", 0));
    a.entries.push_back(testzip::Entry(top + "/" + kSjisDrawing, "図面の中身"));
    a.entries.push_back(testzip::Entry(top + "/" + kSjisTable + "/data.bin", std::string(5000, 'x')));
    return testzip::Build(a);
}

struct Workspace {
    TempDir dir;
    fs::path in = dir / "in";
    fs::path out = dir / "out";
    fs::path work = dir / "work";
    Workspace() { fs::create_directories(in); }
    fs::path Input(const std::string& name, const std::string& bytes) const
    {
        const fs::path p = in / name;
        testzip::WriteBytes(p, bytes);
        return p;
    }
    std::vector<std::wstring> Args(std::initializer_list<fs::path> files) const
    {
        std::vector<std::wstring> args = {L"-o", testzip::Wide(out), L"-w", testzip::Wide(work)};
        for (const auto& f : files)
            args.push_back(testzip::Wide(f));
        return args;
    }
};

TEST(Cli, ConvertsAShiftJisProjectIntoUtf8Names)
{
    Workspace ws;
    const std::string input = ShiftJisProjectArchive(kSjisProject);
    const fs::path file = ws.Input("Plant.VTQ", input);

    const CliResult r = RunCli(ws.Args({file}), ws.dir.Path());

    EXPECT_EQ(0u, r.exitCode) << testing::PrintToString(r.err);
    const std::wstring path = testzip::Wide(file);
    const std::vector<std::wstring> expected = {
        L"変換処理を開始します。",
        L"VTQ、VTQPファイルの変換が終了しました。" + path,
        L"変換処理が終了しました。",
    };
    EXPECT_EQ(expected, r.Messages());
    EXPECT_EQ(input, testzip::ReadBytes(file));  // the input is only read

    const fs::path output = ws.out / "Plant.vtq";
    ASSERT_TRUE(fs::exists(output));
    const auto names = testzip::ListNames(output);
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), L"プロジェクト/図面.txt"));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), L"プロジェクト/表/data.bin"));
    for (const auto& record : testzip::Parse(testzip::ReadBytes(output)).records)
        EXPECT_TRUE(record.centralFlags & 0x0800) << record.name;
    // Only the extraction's own folder goes; the work folder itself stays.
    EXPECT_TRUE(fs::is_directory(ws.work));
    EXPECT_FALSE(fs::exists(ws.work / "CONV"));
}

TEST(Cli, NamesLeftOutAreReportedAndTheRestConverted)
{
    Workspace ws;
    const fs::path good = ws.Input("a.vtq", ShiftJisProjectArchive(kSjisProject));
    const fs::path text = ws.Input("b.txt", "not a project");
    fs::path sameInOtherCase = ws.in / "A.VTQ";

    const CliResult r = RunCli(ws.Args({good, text, sameInOtherCase}), ws.dir.Path());

    EXPECT_EQ(1u, r.exitCode);
    const auto errLines = SplitLines(r.err);
    ASSERT_EQ(2u, errLines.size()) << testing::PrintToString(r.err);
    EXPECT_EQ(L"拡張子がVTQまたはVTQPではないため、変換しません。" + testzip::Wide(text), errLines[0]);
    EXPECT_EQ(L"同じファイルが既に指定されているため、変換しません。" + testzip::Wide(sameInOtherCase), errLines[1]);
    ASSERT_EQ(3u, r.Messages().size());
    EXPECT_TRUE(fs::exists(ws.out / "a.vtq"));
}

TEST(Cli, RelativeNamesAreTakenFromTheCurrentFolder)
{
    Workspace ws;
    ws.Input("rel.vtq", ShiftJisProjectArchive("Plant"));  // an ASCII top folder: no conversion needed

    const CliResult r = RunCli({L"-o", L"out", L"-w", L"work", L"in\\rel.vtq"}, ws.dir.Path());

    EXPECT_EQ(0u, r.exitCode) << testing::PrintToString(r.err);
    const auto messages = r.Messages();
    ASSERT_EQ(3u, messages.size());
    EXPECT_EQ(L"このVTQ、VTQPファイルは変換の必要がありません。" + testzip::Wide(ws.in / "rel.vtq"), messages[1]);
    EXPECT_TRUE(fs::is_directory(ws.out));
    EXPECT_TRUE(fs::is_empty(ws.out));
}

TEST(Cli, FailedAndSkippedFilesMakeTheStatusOne)
{
    Workspace ws;
    const fs::path broken = ws.Input("broken.vtq", "this is not a ZIP archive");
    const CliResult r = RunCli(ws.Args({broken}), ws.dir.Path());
    EXPECT_EQ(1u, r.exitCode);
    ASSERT_EQ(3u, r.Messages().size());
    EXPECT_EQ(L"VTQ、VTQPファイルの展開(UTF-8)に失敗しました。" + testzip::Wide(broken), r.Messages()[1]);
    EXPECT_FALSE(fs::exists(ws.out / "broken.vtq"));

    // A second run finds the output of the first and leaves it alone.
    const fs::path good = ws.Input("x.vtq", ShiftJisProjectArchive(kSjisProject));
    ASSERT_EQ(0u, RunCli(ws.Args({good}), ws.dir.Path()).exitCode);
    const std::string first = testzip::ReadBytes(ws.out / "x.vtq");
    const CliResult again = RunCli(ws.Args({good}), ws.dir.Path());
    EXPECT_EQ(1u, again.exitCode);
    ASSERT_EQ(3u, again.Messages().size());
    EXPECT_EQ(L"出力先に同名のファイルが既に存在します。" + testzip::Wide(good), again.Messages()[1]);
    EXPECT_EQ(first, testzip::ReadBytes(ws.out / "x.vtq"));
}

TEST(Cli, DefaultFoldersLieBesideTheExecutable)
{
    Workspace ws;
    const fs::path file = ws.Input("plain.vtq", ShiftJisProjectArchive("Plant"));
    const fs::path exeFolder = fs::path(ExePath()).parent_path();
    const bool bHadOutput = fs::exists(exeFolder / "Output");
    const bool bHadWork = fs::exists(exeFolder / "ConvWork");

    const CliResult r = RunCli({testzip::Wide(file)}, ws.dir.Path());

    EXPECT_EQ(0u, r.exitCode) << testing::PrintToString(r.err);
    EXPECT_TRUE(fs::is_directory(exeFolder / "Output"));
    EXPECT_TRUE(fs::is_directory(exeFolder / "ConvWork"));
    std::error_code ec;
    if (!bHadOutput)
        fs::remove_all(exeFolder / "Output", ec);
    if (!bHadWork)
        fs::remove_all(exeFolder / "ConvWork", ec);
}

TEST(Cli, TwoConvertersOnOneWorkFolderTakeTurns)
{
    Workspace ws;
    std::vector<std::wstring> argsA = ws.Args({});
    for (int i = 0; i < 15; ++i) {
        std::string name = "a";
        name.append(std::to_string(i)).append(".vtq");
        argsA.push_back(testzip::Wide(ws.Input(name, ShiftJisProjectArchive(kSjisProject))));
    }
    const fs::path fileB = ws.Input("b.vtqp", ShiftJisProjectArchive(kSjisProject + "_Package"));

    CliResult second;
    const CliResult first = RunCli(argsA, ws.dir.Path(), [&](const PROCESS_INFORMATION&) {
        for (int i = 0; i < 600 && !fs::exists(ws.out / "a0.vtq"); ++i)
            Sleep(20);
        second = RunCli(ws.Args({fileB}), ws.dir.Path());
    });

    EXPECT_EQ(0u, first.exitCode);
    EXPECT_EQ(0u, second.exitCode) << testing::PrintToString(second.out);
    const auto messages = second.Messages();
    ASSERT_EQ(4u, messages.size());
    EXPECT_EQ(L"作業フォルダが他の変換処理で使用中です。終了を待っています。", messages[1]);
    EXPECT_EQ(L"VTQ、VTQPファイルの変換が終了しました。" + testzip::Wide(fileB), messages[2]);
    EXPECT_EQ(17u, first.Messages().size());
    EXPECT_EQ(2u, testzip::ListNames(ws.out / "b.vtqp").size());
}

struct UsageCase {
    std::vector<std::wstring> args;
    DWORD exitCode;
    const wchar_t* firstErrLine;  // nullptr: nothing on standard error
};

TEST(Cli, UsageErrorsAndHelp)
{
    TempDir dir;
    const UsageCase cases[] = {
        {{}, 2, L"変換するVTQまたはVTQPファイルを指定してください。"},
        {{L"-x", L"a.vtq"}, 2, L"不明なオプションです。-x"},
        {{L"a.vtq", L"-o"}, 2, L"オプション -o にはフォルダを指定してください。"},
        {{L"-w", L"", L"a.vtq"}, 2, L"オプション -w にはフォルダを指定してください。"},
        {{L"--help"}, 0, nullptr},
        {{L"-h", L"a.vtq"}, 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CliResult r = RunCli(c.args, dir.Path());
        EXPECT_EQ(c.exitCode, r.exitCode);
        const std::wstring& usage = c.firstErrLine ? r.err : r.out;
        EXPECT_NE(std::wstring::npos, usage.find(L"使い方: ConvertVtqCli [-o 出力先フォルダ] [-w 作業フォルダ] ファイル..."));
        for (const wchar_t* option : {L"-o ", L"-w ", L"-h, --help"})
            EXPECT_NE(std::wstring::npos, usage.find(option)) << testing::PrintToString(std::wstring(option));
        if (c.firstErrLine)
            EXPECT_EQ(c.firstErrLine, SplitLines(r.err).front());
        else
            EXPECT_TRUE(r.err.empty());
    }
    EXPECT_TRUE(fs::is_empty(dir.Path()));  // nothing was created
}

TEST(Cli, CtrlBreakCancelsAtTheNextCancelPoint)
{
    Workspace ws;
    std::vector<fs::path> files;
    std::vector<std::wstring> args = {L"-o", testzip::Wide(ws.out), L"-w", testzip::Wide(ws.work)};
    for (int i = 0; i < 40; ++i) {
        std::string name = "p";
        name.append(std::to_string(i)).append(".vtq");
        files.push_back(ws.Input(name, ShiftJisProjectArchive(kSjisProject)));
        args.push_back(testzip::Wide(files.back()));
    }
    const CliResult r = RunCli(args, ws.dir.Path(), [&](const PROCESS_INFORMATION& pi) {
        // Once the first file is converted, break; the process ignores a second break.
        for (int i = 0; i < 600 && !fs::exists(ws.out / "p0.vtq"); ++i)
            Sleep(50);
        // The converter has a console of its own, as in a command prompt; press Ctrl+Break there.
        FreeConsole();
        if (!AttachConsole(pi.dwProcessId))
            ADD_FAILURE() << "AttachConsole " << GetLastError();
        SetConsoleCtrlHandler(nullptr, TRUE);
        if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0))
            ADD_FAILURE() << "GenerateConsoleCtrlEvent " << GetLastError();
        Sleep(20);
        GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
        FreeConsole();
    }, CREATE_NEW_CONSOLE);

    EXPECT_EQ(130u, r.exitCode) << testing::PrintToString(r.out);
    const auto messages = r.Messages();
    ASSERT_GE(messages.size(), 4u);
    EXPECT_EQ(L"変換処理をキャンセルします。", messages[messages.size() - 2]);
    EXPECT_EQ(L"変換処理が終了しました。", messages.back());
    EXPECT_LT(messages.size(), 43u);
    // Whatever was written is complete: every output opens and lists the whole project.
    for (const auto& entry : fs::directory_iterator(ws.out))
        EXPECT_EQ(2u, testzip::ListNames(entry.path()).size()) << entry.path();
    EXPECT_FALSE(fs::exists(ws.work / "CONV"));
}

}  // namespace
