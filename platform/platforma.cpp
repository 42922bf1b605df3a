#include "platforma.h"

#include <ostream>

namespace platforma {

bool WyjscieStrumienia::pisz(std::string_view bajty) {
    strumien_.write(bajty.data(), static_cast<std::streamsize>(bajty.size()));
    return strumien_.good();
}

bool WyjscieStrumienia::splucz() {
    strumien_.flush();
    return strumien_.good();
}

}  // namespace platforma
