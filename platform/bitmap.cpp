#include "platform/bitmap.h"

#include <png.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>

namespace platform {
namespace {

constexpr png_uint_32 kMaxSide = 16384;

// Everything libpng touches lives here: plain data, so a longjmp out of libpng destroys nothing.
struct PngJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const png_byte* data = nullptr;  // reading: the whole file in memory
    size_t size = 0, pos = 0;
    png_uint_32 width = 0, height = 0;
    char message[200] = "";
};

void onPngError(png_structp png, png_const_charp message) {
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    std::snprintf(job->message, sizeof job->message, "%s", message);
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

void readFromMemory(png_structp png, png_bytep dest, png_size_t length) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (job->size - job->pos < length) png_error(png, "file is truncated");
    std::memcpy(dest, job->data + job->pos, length);
    job->pos += length;
}

// The functions that call setjmp hold no C++ objects, so jumping back into them is safe.
bool readHeader(PngJob* job) {
    if (setjmp(png_jmpbuf(job->png))) return false;
    png_set_read_fn(job->png, job, readFromMemory);
    png_set_user_limits(job->png, kMaxSide, kMaxSide);
    png_read_info(job->png, job->info);
    // Whatever the stored format, ask libpng for 8-bit RGBA.
    png_set_expand(job->png);
    png_set_scale_16(job->png);
    png_set_gray_to_rgb(job->png);
    png_set_add_alpha(job->png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(job->png);
    png_read_update_info(job->png, job->info);
    job->width = png_get_image_width(job->png, job->info);
    job->height = png_get_image_height(job->png, job->info);
    return true;
}

bool readRows(PngJob* job, png_bytepp rows) {
    if (setjmp(png_jmpbuf(job->png))) return false;
    png_read_image(job->png, rows);
    png_read_end(job->png, nullptr);
    return true;
}

bool writeRows(PngJob* job, FILE* file, int level, png_bytepp rows) {
    if (setjmp(png_jmpbuf(job->png))) return false;
    png_init_io(job->png, file);
    png_set_compression_level(job->png, level);
    png_set_IHDR(job->png, job->info, job->width, job->height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(job->png, job->info);
    png_write_image(job->png, rows);
    png_write_end(job->png, nullptr);
    return true;
}

bool fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

std::vector<png_bytep> rowPointers(png_bytep base, png_uint_32 width, png_uint_32 height) {
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = base + size_t(y) * width * 4;
    return rows;
}

// libpng hands over R,G,B,A bytes; each pixel is repacked in place as one ARGB word.
void rgbaBytesToArgb(std::vector<uint32_t>& pixels) {
    for (uint32_t& p : pixels) {
        uint8_t b[4];
        std::memcpy(b, &p, 4);
        p = uint32_t(b[3]) << 24 | uint32_t(b[0]) << 16 | uint32_t(b[1]) << 8 | b[2];
    }
}

bool decodeJob(PngJob& job, Bitmap& out, std::string* error) {
    if (!readHeader(&job)) return fail(error, job.message);
    if (job.width == 0 || job.height == 0 || job.width > kMaxSide || job.height > kMaxSide)
        return fail(error, "picture size out of range");
    std::vector<uint32_t> pixels(size_t(job.width) * job.height);
    auto rows = rowPointers(reinterpret_cast<png_bytep>(pixels.data()), job.width, job.height);
    if (!readRows(&job, rows.data())) return fail(error, job.message);
    rgbaBytesToArgb(pixels);
    out.width = int(job.width);
    out.height = int(job.height);
    out.pixels = std::move(pixels);
    return true;
}

std::vector<png_byte> argbToRgbaBytes(const Bitmap& bitmap) {
    std::vector<png_byte> bytes(bitmap.pixels.size() * 4);
    for (size_t i = 0; i < bitmap.pixels.size(); ++i) {
        uint32_t p = bitmap.pixels[i];
        bytes[i * 4 + 0] = png_byte(p >> 16);
        bytes[i * 4 + 1] = png_byte(p >> 8);
        bytes[i * 4 + 2] = png_byte(p);
        bytes[i * 4 + 3] = png_byte(p >> 24);
    }
    return bytes;
}

bool writeJob(PngJob& job, FILE* file, int level, png_bytepp rows) {
    job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, onPngError, onPngWarning);
    job.info = job.png ? png_create_info_struct(job.png) : nullptr;
    bool ok = job.info && writeRows(&job, file, level, rows);
    png_destroy_write_struct(&job.png, &job.info);
    return ok;
}

// Only a regular file we just wrote is removed: never a device or pipe given as the path.
void removeIfRegular(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) std::remove(path.c_str());
}

bool writeFile(const Bitmap& bitmap, const std::string& path, int level) {
    PngJob job;
    job.width = png_uint_32(bitmap.width);
    job.height = png_uint_32(bitmap.height);
    std::vector<png_byte> bytes = argbToRgbaBytes(bitmap);  // before the file, in case it throws
    auto rows = rowPointers(bytes.data(), job.width, job.height);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = writeJob(job, file, level, rows.data());
    ok = std::fclose(file) == 0 && ok;
    if (!ok) removeIfRegular(path);
    return ok;
}

}  // namespace

bool decodePngMemory(const void* data, size_t size, Bitmap& out, std::string* error) {
    if (size < 8 || png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) != 0)
        return fail(error, "not a PNG file");
    PngJob job;
    job.data = static_cast<const png_byte*>(data);
    job.size = size;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, onPngError, onPngWarning);
    job.info = job.png ? png_create_info_struct(job.png) : nullptr;
    bool ok = false;
    try {
        ok = job.info ? decodeJob(job, out, error) : fail(error, "out of memory");
    } catch (const std::bad_alloc&) {
        fail(error, "out of memory");
    }
    png_destroy_read_struct(&job.png, &job.info, nullptr);
    return ok;
}

bool decodePngFile(const std::string& path, Bitmap& out, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(error, "cannot open " + path);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return fail(error, "cannot read " + path);
    if (!decodePngMemory(bytes.data(), bytes.size(), out, error)) {
        if (error) *error = path + ": " + *error;
        return false;
    }
    return true;
}

bool encodePngFile(const Bitmap& bitmap, const std::string& path, int level) {
    if (bitmap.width <= 0 || bitmap.height <= 0 || png_uint_32(bitmap.width) > kMaxSide ||
        png_uint_32(bitmap.height) > kMaxSide ||
        bitmap.pixels.size() != size_t(bitmap.width) * bitmap.height)
        return false;
    try {
        return writeFile(bitmap, path, std::clamp(level, 0, 9));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void applyMask(Bitmap& bitmap) {
    for (uint32_t& p : bitmap.pixels)
        if ((p & 0x00ffffffu) == 0) p = 0;
}

std::vector<Bitmap> cutCells(const Bitmap& source, int cellWidth, int cellHeight, int first,
                             int count) {
    std::vector<Bitmap> cells;
    if (cellWidth <= 0 || cellHeight <= 0) return cells;
    long long columns = source.width / cellWidth, total = columns * (source.height / cellHeight);
    long long end = std::min<long long>(total, (long long)first + std::max(count, 0));
    for (long long i = std::max(first, 0); i < end; ++i) {
        Bitmap cell;
        cell.width = cellWidth;
        cell.height = cellHeight;
        cell.pixels.resize(size_t(cellWidth) * cellHeight);
        int x0 = int(i % columns) * cellWidth, y0 = int(i / columns) * cellHeight;
        for (int y = 0; y < cellHeight; ++y)
            for (int x = 0; x < cellWidth; ++x) cell.at(x, y) = source.at(x0 + x, y0 + y);
        cells.push_back(std::move(cell));
    }
    return cells;
}

}  // namespace platform
