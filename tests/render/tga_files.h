// Helpers for the image tests: a scratch directory that the test may chdir
// into, and TGA files put together byte by byte.
#pragma once

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A fresh directory under /tmp, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir() {
        char name[] = "/tmp/quill_tga_XXXXXX";
        path_ = mkdtemp(name) ? name : "";
    }
    ~ScratchDir() { remove_tree(path_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    static void remove_tree(const std::string& dir) {
        if (dir.empty()) return;
        if (DIR* d = opendir(dir.c_str())) {
            while (dirent* e = readdir(d)) {
                const std::string n = e->d_name;
                if (n == "." || n == "..") continue;
                const std::string full = dir + "/" + n;
                struct stat st {};
                if (lstat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
                    remove_tree(full);
                } else {
                    unlink(full.c_str());
                }
            }
            closedir(d);
        }
        rmdir(dir.c_str());
    }
    std::string path_;
};

// Runs the test's body in another working directory and comes back after.
class WorkingDir {
public:
    explicit WorkingDir(const std::string& dir) {
        if (getcwd(old_, sizeof old_) == nullptr) old_[0] = '\0';
        ok_ = chdir(dir.c_str()) == 0;
    }
    ~WorkingDir() {
        if (old_[0] != '\0' && chdir(old_) != 0) std::perror("chdir");
    }
    bool ok() const { return ok_; }

private:
    char old_[4096];
    bool ok_ = false;
};

using Bytes = std::vector<uint8_t>;

// The 18-byte header, little-endian fields.
struct TgaHeader {
    int id_length = 0;
    int colormap_type = 0;
    int image_type = 2;
    int colormap_first = 0;
    int colormap_length = 0;
    int colormap_entry_bits = 0;
    int width = 6;
    int height = 5;
    int pixel_depth = 24;
    int descriptor = 0;

    Bytes bytes() const {
        auto lo = [](int v) { return static_cast<uint8_t>(v & 255); };
        auto hi = [](int v) { return static_cast<uint8_t>((v >> 8) & 255); };
        return {lo(id_length),       lo(colormap_type), lo(image_type),  lo(colormap_first), hi(colormap_first),
                lo(colormap_length), hi(colormap_length), lo(colormap_entry_bits), 0, 0, 0, 0,
                lo(width),           hi(width),         lo(height),      hi(height),         lo(pixel_depth),
                lo(descriptor)};
    }
};

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline void write_bytes(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

inline Bytes read_bytes(const std::string& path) {
    Bytes out;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return out;
    int c = 0;
    while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return out;
}
