#include "control/picture_record.h"

#include <sstream>

#include "control/sensor_files.h"

namespace {

std::wstring PictureRecordPath() { return BesideControlFile(L"picture.txt"); }

}  // namespace

void WritePictureRecord(const PictureValues& values) {
    std::ostringstream text;
    text << "procamp";
    for (long value : values.procAmp) text << ' ' << value;
    text << "\ncamera";
    for (long value : values.camera) text << ' ' << value;
    text << '\n';
    ReplaceFileText(PictureRecordPath(), text.str());
}

bool ReadPictureRecord(PictureValues* values) {
    std::istringstream text(ReadFileText(PictureRecordPath()));
    std::string word;
    if (!(text >> word) || word != "procamp") return false;
    for (long& value : values->procAmp)
        if (!(text >> value)) return false;
    if (!(text >> word) || word != "camera") return false;
    for (long& value : values->camera)
        if (!(text >> value)) return false;
    return true;
}
