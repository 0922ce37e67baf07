#include "records/RecordFileReader.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

RecordFileReadResult Failure(std::string reason)
{
    RecordFileReadResult result;
    result.error = std::move(reason);
    return result;
}

// Closes the descriptor on every way out.
struct FileDescriptor {
    int fd;
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Reads up to size bytes; stops early only at the end of the file.
// Returns the number of bytes read, or -1 with errno set.
long long ReadFully(int fd, unsigned char* buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(done);
}

std::string TooShortMessage(std::size_t size)
{
    return "too short for a record file (" + std::to_string(size) + " bytes; the header alone is "
        + std::to_string(RECORD_FILE_HEADER_SIZE) + ")";
}

// Why a file of this kind is refused.
std::string NotARegularFileMessage(mode_t mode)
{
    if (S_ISDIR(mode))
        return "is a folder";
    if (S_ISFIFO(mode))
        return "is a named pipe, not a record file";
    if (S_ISSOCK(mode))
        return "is a socket, not a record file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "is a device, not a record file";
    return "is not a regular file";
}

} // namespace

RecordFileReadResult ParseRecordFile(const unsigned char* data, std::size_t size)
{
    if (size < RECORD_FILE_HEADER_SIZE)
        return Failure(TooShortMessage(size));
    RecordFileReadResult result;
    result.ok = true;
    result.announcedCount = DecodeRecordFileHeader(data).recordCount;
    // Only complete records are kept; a partial last record is dropped.
    const std::size_t available = (size - RECORD_FILE_HEADER_SIZE) / METER_RECORD_SIZE;
    const std::size_t count = available < result.announcedCount ? available : result.announcedCount;
    result.records.Reserve(count);
    const unsigned char* next = data + RECORD_FILE_HEADER_SIZE;
    for (std::size_t i = 0; i < count; ++i, next += METER_RECORD_SIZE)
        result.records.Add(DecodeMeterRecord(next));
    return result;
}

RecordFileReadResult ReadRecordFile(const std::string& path)
{
    // Only regular files are opened: opening a named pipe waits for a writer,
    // and a device may never end (or act on being opened at all).
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return Failure(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return Failure(NotARegularFileMessage(info.st_mode));
    // Read-only: the viewer never writes record files, and files without
    // write permission or on read-only media must open. Without blocking, in
    // case the name was swapped for a pipe since the check above.
    FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return Failure(std::strerror(errno));
    if (::fstat(file.fd, &info) != 0)
        return Failure(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return Failure(NotARegularFileMessage(info.st_mode));

    unsigned char header[RECORD_FILE_HEADER_SIZE];
    const long long headerRead = ReadFully(file.fd, header, sizeof header);
    if (headerRead < 0)
        return Failure(std::strerror(errno));
    if (static_cast<std::size_t>(headerRead) < sizeof header)
        return Failure(TooShortMessage(static_cast<std::size_t>(headerRead)));

    RecordFileReadResult result;
    result.ok = true;
    result.announcedCount = DecodeRecordFileHeader(header).recordCount;
    result.records.Reserve(result.announcedCount);
    // Records are decoded from a small reused buffer: a second whole-file
    // buffer would double the memory touched, and fresh pages are costly.
    // Never more than the announced records are read.
    constexpr std::size_t CHUNK_RECORDS = 512;
    std::vector<unsigned char> chunk(CHUNK_RECORDS * METER_RECORD_SIZE);
    std::size_t remaining = result.announcedCount;
    while (remaining > 0) {
        const std::size_t wanted = (remaining < CHUNK_RECORDS ? remaining : CHUNK_RECORDS) * METER_RECORD_SIZE;
        const long long got = ReadFully(file.fd, chunk.data(), wanted);
        if (got < 0)
            return Failure(std::strerror(errno));
        // A partial record at the end of the file is dropped.
        const std::size_t complete = static_cast<std::size_t>(got) / METER_RECORD_SIZE;
        for (std::size_t i = 0; i < complete; ++i)
            result.records.Add(DecodeMeterRecord(chunk.data() + i * METER_RECORD_SIZE));
        if (static_cast<std::size_t>(got) < wanted)
            break;   // end of file
        remaining -= complete;
    }
    return result;
}
