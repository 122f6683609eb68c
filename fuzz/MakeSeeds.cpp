// Writes the fuzz seed corpus into the folder given: small DICOM files of every layout the header
// reader meets.
#include <cstdio>
#include <string>

#include "DicomBytes.h"

using dicomtest::DicomBytes;

namespace {

bool Write(const std::string& path, const DicomBytes& f)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool ok = std::fwrite(f.bytes.data(), 1, f.bytes.size(), out) == f.bytes.size();
    return std::fclose(out) == 0 && ok;
}

DicomBytes WithSequence(bool delimited)
{
    DicomBytes f;
    f.Meta(dicomtest::kExplicitLittle);
    if (delimited) {
        f.SequenceStart(0x0008, 0x1140);
        f.Explicit(0x0008, 0x1150, "UI", "1.2.3 ").ItemEnd().SequenceEnd();
    } else {
        f.SequenceStart(0x0008, 0x1140, 22, 14);
        f.Explicit(0x0008, 0x1150, "UI", "1.2.3 ");
    }
    f.Explicit(0x0018, 0x7026, "DS", "300\\400 ").ExplicitUS(0x0028, 0x0010, 32).ExplicitUS(0x0028, 0x0011, 24);
    f.Explicit(0x0028, 0x1052, "DS", "-1024 ").Explicit(0x0013, 0x1001, "UN", "AB").Explicit(0x0010, 0x0010, "PN", "Doe");
    return f.PixelData(true, dicomtest::Words(32 * 24, [](std::size_t i) { return i * 7; }));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : "";
    bool ok = true;
    ok &= Write(folder + "explicit.dcm", dicomtest::CtLikeFile(32, 32));
    ok &= Write(folder + "implicit.dcm", dicomtest::CtLikeFile(32, 32, false));
    ok &= Write(folder + "bigendian.dcm", dicomtest::CtLikeFile(32, 32, true, dicomtest::kExplicitBig));
    ok &= Write(folder + "sequence-delimited.dcm", WithSequence(true));
    ok &= Write(folder + "sequence-defined.dcm", WithSequence(false));
    {
        DicomBytes f;
        f.Meta(dicomtest::kExplicitLittle);
        f.SequenceStart(0x0088, 0x0200).ExplicitUS(0x0028, 0x0010, 8).ExplicitUS(0x0028, 0x0011, 8);
        f.PixelData(true, dicomtest::Words(64, [](std::size_t i) { return i; })).ItemEnd().SequenceEnd();
        f.Explicit(0x2010, 0x0040, "CS", "LANDSCAPE ");
        f.PixelData(true, dicomtest::Words(48 * 48, [](std::size_t i) { return 40000 + i; }));
        ok &= Write(folder + "icon.dcm", f);
    }
    {
        DicomBytes f;
        f.Meta(dicomtest::kExplicitLittle);
        f.Explicit(0x0009, 0x1010, "OB", std::string(66000, 'x')).Explicit(0x0010, 0x0010, "PN", "");
        f.PixelData(false, std::vector<std::uint8_t>(70000, 0));
        ok &= Write(folder + "long-ob.dcm", f);
    }
    if (!ok) {
        std::fprintf(stderr, "make_dicom_seeds: could not write into '%s'\n", folder.c_str());
        return 1;
    }
    return 0;
}
