#include "core/ImageKind.h"

const char* KindName(TImageKind kind) {
    switch (kind) {
    case TImageKind::Indexed8:
        return "Indexed8";
    case TImageKind::RGB24:
        return "RGB24";
    case TImageKind::RGB48:
        return "RGB48";
    case TImageKind::Grey16:
        return "Grey16";
    case TImageKind::GreyFloat:
        return "GreyFloat";
    case TImageKind::Other:
        break;
    }
    return "Other";
}
