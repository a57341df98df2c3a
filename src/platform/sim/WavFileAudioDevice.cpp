#include "platform/sim/WavFileAudioDevice.h"

#include <array>
#include <cerrno>
#include <string_view>
#include <vector>

namespace velarin {

namespace {

void putLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// RIFF sizes are 32-bit: a file stops growing before it would overflow them.
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - 36;

} // namespace

WavFileAudioDevice::WavFileAudioDevice(std::string path, std::function<int64_t()> microseconds)
    : SimulatedAudioDevice(std::move(microseconds))
    , path_(std::move(path))
{
}

WavFileAudioDevice::~WavFileAudioDevice()
{
    if (IsOpen())
        Close();
}

int WavFileAudioDevice::Open(const AudioFormat& format)
{
    if (IsOpen())
        return EBUSY;
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (file == nullptr)
        return errno != 0 ? errno : EIO;
    file_ = file;
    dataBytes_ = 0;
    writeFailed_ = false;
    const int result = SimulatedAudioDevice::Open(format);
    if (result != 0 || !writeHeader(0)) {
        std::fclose(file_);
        file_ = nullptr;
        if (result == 0)
            SimulatedAudioDevice::Close();
        return result != 0 ? result : EIO;
    }
    return 0;
}

bool WavFileAudioDevice::writeHeader(uint32_t dataBytes)
{
    const AudioFormat& format = Format();
    std::vector<uint8_t> header;
    header.reserve(44);
    for (char c : std::string_view("RIFF"))
        header.push_back(static_cast<uint8_t>(c));
    putLittleEndian(header, 36 + dataBytes, 4);
    for (char c : std::string_view("WAVEfmt "))
        header.push_back(static_cast<uint8_t>(c));
    putLittleEndian(header, 16, 4);
    putLittleEndian(header, 1, 2); // PCM
    putLittleEndian(header, format.channels, 2);
    putLittleEndian(header, format.sampleRate, 4);
    putLittleEndian(header, format.sampleRate * format.channels * 2, 4);
    putLittleEndian(header, format.channels * 2u, 2);
    putLittleEndian(header, 16, 2);
    for (char c : std::string_view("data"))
        header.push_back(static_cast<uint8_t>(c));
    putLittleEndian(header, dataBytes, 4);
    return std::fseek(file_, 0, SEEK_SET) == 0
        && std::fwrite(header.data(), 1, header.size(), file_) == header.size();
}

void WavFileAudioDevice::Emit(const int16_t* samples, uint32_t count)
{
    if (file_ == nullptr || writeFailed_)
        return;
    std::array<uint8_t, 4096> chunk {};
    uint32_t done = 0;
    while (done < count) {
        if (dataBytes_ + 2 > kMaxDataBytes) {
            writeFailed_ = true;
            return;
        }
        size_t bytes = 0;
        while (done < count && bytes < chunk.size() && dataBytes_ + bytes + 2 <= kMaxDataBytes) {
            const uint16_t value = samples != nullptr ? static_cast<uint16_t>(samples[done]) : 0;
            chunk[bytes++] = static_cast<uint8_t>(value & 0xFF);
            chunk[bytes++] = static_cast<uint8_t>(value >> 8);
            ++done;
        }
        if (std::fwrite(chunk.data(), 1, bytes, file_) != bytes) {
            writeFailed_ = true;
            return;
        }
        dataBytes_ += bytes;
    }
}

int WavFileAudioDevice::Finish()
{
    if (file_ == nullptr)
        return EBADF;
    const bool headerWritten = writeHeader(static_cast<uint32_t>(dataBytes_));
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return headerWritten && closed && !writeFailed_ ? 0 : EIO;
}

} // namespace velarin
