#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platforma.h"

namespace platform {

namespace {

int deskryptor(Uchwyt u) {
    return static_cast<int>(u);
}

std::optional<Powod> znany(int kod) {
    switch (kod) {
        case ENOENT:
        case ENOTDIR:  // "plik.csv/x": no such file either, as Windows says
            return Powod::BrakPliku;
        case EACCES:
        case EPERM:
            return Powod::BrakUprawnien;
        case EISDIR:
            return Powod::Folder;
        case ETXTBSY:
            return Powod::PlikZajety;
        case ENOSPC:
        case EDQUOT:
            return Powod::PelnyDysk;
        case EROFS:
            return Powod::TylkoDoOdczytu;
        case ENAMETOOLONG:
            return Powod::ZaDlugaNazwa;
        case EILSEQ:
            return Powod::ZlaNazwa;
        case EMFILE:
        case ENFILE:
            return Powod::ZaDuzoPlikow;
        case ENOMEM:
            return Powod::BrakPamieci;
        case EIO:
            return Powod::BladUrzadzenia;
        default:
            return std::nullopt;
    }
}

std::string opisBledu(int kod) {
    const std::optional<Powod> p = znany(kod);
    return p ? std::string(opis(*p)) : std::strerror(kod);
}

class Deskryptor final : public Wyjscie {
  public:
    explicit Deskryptor(int fd) : fd_(fd) {}

    bool pisz(std::string_view bajty) override {
        while (!bajty.empty()) {
            const ssize_t n = ::write(fd_, bajty.data(), bajty.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                przerwane_ = przerwane_ || (n < 0 && errno == EPIPE);
                return false;
            }
            bajty.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    bool splucz() override { return true; }
    [[nodiscard]] bool przerwane() const override { return przerwane_; }

  private:
    int fd_;
    bool przerwane_ = false;
};

}  // namespace

std::unique_ptr<Wejscie> Wejscie::otworz(const std::string& sciezka, std::string& blad) {
    if (sciezka == "-") return std::make_unique<Wejscie>(STDIN_FILENO, false);
    const int fd = ::open(sciezka.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        blad = opisBledu(errno);
        return nullptr;
    }
    // A folder opens here but not on Windows: refused alike on both.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        blad = opis(Powod::Folder);
        return nullptr;
    }
    return std::make_unique<Wejscie>(fd, true);
}

Wejscie::Wejscie(Uchwyt uchwyt, bool wlasny) noexcept : uchwyt_(uchwyt), wlasny_(wlasny) {}

Wejscie::~Wejscie() {
    if (wlasny_) ::close(deskryptor(uchwyt_));
}

bool Wejscie::gotowe() const {
    pollfd p{deskryptor(uchwyt_), POLLIN, 0};
    return ::poll(&p, 1, 0) != 0;
}

std::ptrdiff_t Wejscie::czytaj(std::span<char> bufor, std::string& blad) {
    for (;;) {
        const ssize_t r = ::read(deskryptor(uchwyt_), bufor.data(), bufor.size());
        if (r >= 0) return r;
        if (errno != EINTR) break;
    }
    blad = opisBledu(errno);
    return -1;
}

Wyjscie& standardoweWyjscie() {
    static Deskryptor wyjscie(STDOUT_FILENO);
    return wyjscie;
}

Wyjscie& standardoweBledy() {
    static Deskryptor bledy(STDERR_FILENO);
    return bledy;
}

}  // namespace platform
