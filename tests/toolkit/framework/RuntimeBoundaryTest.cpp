// The program and the toolkit must share one C++ runtime and one heap: the
// toolkit's interface passes wide strings by value and its classes are
// subclassed in the program.
#include "lumo/MObject.h"
#include "lumo/Manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ProgramObject : public Lumo::MObject {
public:
    const wchar_t* GetClassNameW() const override { return L"ProgramObject"; }
    LRESULT OnBaseMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override
    {
        lastId = id;
        lastCode = code;
        return static_cast<LRESULT>(wparam) + lparam;
    }
    UINT lastId = 0;
    UINT lastCode = 0;
};

std::vector<std::string> ImportedModules(HMODULE module)
{
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    auto* desc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; dir.VirtualAddress != 0 && desc->Name != 0; ++desc) {
        std::string name(reinterpret_cast<const char*>(base + desc->Name));
        for (char& c : name)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        names.push_back(name);
    }
    return names;
}

bool Imports(HMODULE module, const std::string& dll)
{
    const auto names = ImportedModules(module);
    return std::find(names.begin(), names.end(), dll) != names.end();
}

TEST(RuntimeBoundary, ProgramAndToolkitLoadTheSameSharedCxxRuntime)
{
    HMODULE toolkit = GetModuleHandleW(L"Lumo.dll");
    ASSERT_NE(toolkit, nullptr);
    EXPECT_TRUE(Imports(GetModuleHandleW(nullptr), "libstdc++-6.dll"));
    EXPECT_TRUE(Imports(toolkit, "libstdc++-6.dll"));
    EXPECT_NE(GetModuleHandleW(L"libstdc++-6.dll"), nullptr);
}

TEST(RuntimeBoundary, WideStringsCrossTheBoundaryByValueBothWays)
{
    const std::wstring original = Lumo::Manager::GetFontName();
    for (int i = 0; i < 2000; ++i) {
        // Long enough to live on the heap, not in the small-string buffer.
        std::wstring made = L"A face name that is well past the small string buffer #" + std::to_wstring(i);
        Lumo::Manager::SetFontName(made); // made here, replaced and freed inside the toolkit
        std::wstring back = Lumo::Manager::GetFontName(); // made inside the toolkit, freed here
        ASSERT_EQ(back, made);
    }
    Lumo::Manager::SetFontName(original);
    EXPECT_EQ(Lumo::Manager::GetTheme(), L"theme1\\");
}

TEST(RuntimeBoundary, ToolkitCallsVirtualOverridesOfAProgramSubclass)
{
    ProgramObject object;
    Lumo::MObject& asToolkitObject = object;
    // IsClass is compiled into Lumo.dll and reaches the program's GetClassNameW.
    EXPECT_EQ(asToolkitObject.IsClass(L"ProgramObject"), 1);
    EXPECT_EQ(asToolkitObject.IsClass(L"programobject"), 0);
    EXPECT_EQ(asToolkitObject.OnBaseMessage(31, 2, 40, 2), 42);
    EXPECT_EQ(object.lastId, 31u);
    EXPECT_EQ(object.lastCode, 2u);
    EXPECT_NE(dynamic_cast<ProgramObject*>(&asToolkitObject), nullptr);
}

TEST(RuntimeBoundary, ToolkitResourcesAreInTheLibrary)
{
    HMODULE toolkit = GetModuleHandleW(L"Lumo.dll");
    ASSERT_NE(toolkit, nullptr);
    HRSRC font = FindResourceW(toolkit, MAKEINTRESOURCEW(106), L"TTF");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(SizeofResource(toolkit, font), 221328u);
    EXPECT_NE(FindResourceW(toolkit, MAKEINTRESOURCEW(101), L"PNG"), nullptr);
    EXPECT_NE(FindResourceW(toolkit, MAKEINTRESOURCEW(102), L"PNG"), nullptr);
}

} // namespace
