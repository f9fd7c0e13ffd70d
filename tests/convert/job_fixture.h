// A conversion job in a temporary folder laid out as beside the executable: inputs under "in", the
// work folder root "ConvWork" (made before the job, as the job control does) and the output folder
// "Output". Every input written through the fixture must be byte-identical after the test.
#pragma once

#include "convert_test_util.h"

#include "ConvertVtqDoc.h"

#include <gtest/gtest.h>

#include <memory>

namespace cvqtest {

// The worker's sentences.
constexpr const wchar_t* kStart = L"変換処理を開始します。";
constexpr const wchar_t* kCancel = L"変換処理をキャンセルします。";
constexpr const wchar_t* kEnd = L"変換処理が終了しました。";
constexpr const wchar_t* kWait = L"作業フォルダが他の変換処理で使用中です。終了を待っています。";
constexpr const wchar_t* kNoWorkFolder = L"作業フォルダを使用できません。変換処理を中止します。%s";
constexpr const wchar_t* kOutputExists = L"出力先に同名のファイルが既に存在します。%s";
constexpr const wchar_t* kProbeFailed = L"VTQ、VTQPファイルの展開(UTF-8)に失敗しました。%s";
constexpr const wchar_t* kNoNeed = L"このVTQ、VTQPファイルは変換の必要がありません。%s";
constexpr const wchar_t* kExtractFailed = L"VTQ、VTQPファイルの展開(shift_jis)に失敗しました。%s";
constexpr const wchar_t* kConverted = L"VTQ、VTQPファイルの変換が終了しました。%s";
constexpr const wchar_t* kArchiveFailed = L"変換処理に失敗しました。圧縮に失敗しました。%s";
constexpr const wchar_t* kRenamed = L"変換処理に失敗しました。ファイル名が変更されている可能性があります。%s";
constexpr const wchar_t* kOutside = L"変換処理に失敗しました。プロジェクトフォルダ以外のファイルが含まれています。%s";

class JobTest : public ::testing::Test {
protected:
    JobTest()
        : m_pDoc(static_cast<CConvertVtqDoc*>(RUNTIME_CLASS(CConvertVtqDoc)->CreateObject())),
          m_work(m_tmp / L"ConvWork"),
          m_conv(m_work + L"\\CONV"),
          m_out(m_tmp / L"Output")
    {
        ::CreateDirectoryW(m_work.c_str(), nullptr);
        ::CreateDirectoryW(m_out.c_str(), nullptr);
    }

    void TearDown() override
    {
        for (const auto& [path, bytes] : m_inputs)
            EXPECT_TRUE(ReadFileBytes(path) == bytes) << "input changed";
    }

    // Writes an input under "in" and remembers its bytes.
    std::wstring AddInput(const std::wstring& rel, const std::string& bytes)
    {
        const std::wstring path = m_tmp / (L"in\\" + rel);
        WriteFileBytes(path, bytes);
        m_inputs[path] = bytes;
        return path;
    }
    std::wstring AddInput(const std::wstring& rel, const testzip::RawArchive& archive)
    {
        return AddInput(rel, testzip::Build(archive));
    }

    // Fills the job record as the job control does and runs the job.
    std::vector<std::wstring> Run(const std::vector<std::wstring>& files)
    {
        FillRecord(m_param, files);
        return RunJob(m_param, m_host);
    }
    void FillRecord(tagCVQ_THREAD_PARAM& param, const std::vector<std::wstring>& files)
    {
        param.Clear();
        param.pDoc = m_pDoc.get();
        param.csWorkPath = m_work.c_str();
        param.csOutputPath = m_out.c_str();
        for (const std::wstring& file : files)
            param.csaFileList.Add(file.c_str());
    }

    std::wstring Out(const std::wstring& name) const { return m_out + L"\\" + name; }

    TempFolder m_tmp;
    std::unique_ptr<CConvertVtqDoc> m_pDoc;
    std::wstring m_work;
    std::wstring m_conv;
    std::wstring m_out;
    CLogHost m_host;
    tagCVQ_THREAD_PARAM m_param;
    std::map<std::wstring, std::string> m_inputs;
};

}  // namespace cvqtest
