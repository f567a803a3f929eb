// Adds a certificate authority (a PEM or DER file) to the machine's trusted
// root store, so that WinINet accepts the local update host's certificate
// with its default checks. Meant for test machines and Wine prefixes only:
// the tests run it once per prefix before they talk to the host over HTTPS.
//
//   TrustTestCa.exe CA_FILE
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> ReadFile(const wchar_t* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// PEM is turned into DER; anything else is taken as DER already.
std::vector<BYTE> ToDer(const std::vector<BYTE>& file)
{
    DWORD size = 0;
    const auto* text = reinterpret_cast<const char*>(file.data());
    const auto length = static_cast<DWORD>(file.size());
    if (!CryptStringToBinaryA(text, length, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr))
        return file;
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(text, length, CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr))
        return file;
    der.resize(size);
    return der;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: TrustTestCa.exe CA_FILE\n");
        return 2;
    }
    const std::vector<BYTE> file = ReadFile(argv[1]);
    if (file.empty()) {
        std::fprintf(stderr, "TrustTestCa: cannot read %ls\n", argv[1]);
        return 1;
    }
    const std::vector<BYTE> der = ToDer(file);
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"ROOT");
    if (!store) {
        std::fprintf(stderr, "TrustTestCa: cannot open the ROOT store (error %lu)\n", GetLastError());
        return 1;
    }
    const BOOL added = CertAddEncodedCertificateToStore(
        store, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    const DWORD error = GetLastError();
    CertCloseStore(store, 0);
    if (!added) {
        std::fprintf(stderr, "TrustTestCa: cannot add %ls (error 0x%lx)\n", argv[1], error);
        return 1;
    }
    return 0;
}
