#pragma once

#include <unistd.h>

// A file descriptor closed with its owner.
class Descripteur {
public:
    explicit Descripteur(int fd = -1)
        : fd_(fd) {}
    ~Descripteur() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descripteur(Descripteur&& autre) noexcept
        : fd_(autre.liberer()) {}
    Descripteur& operator=(Descripteur&& autre) noexcept {
        if (this != &autre) {
            fermer();
            fd_ = autre.liberer();
        }
        return *this;
    }
    Descripteur(const Descripteur&) = delete;
    Descripteur& operator=(const Descripteur&) = delete;

    int get() const { return fd_; }
    bool valide() const { return fd_ >= 0; }
    int liberer() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closed now, for the error only a close may report (a write-back that fails).
    bool fermer() {
        const int fd = liberer();
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};
