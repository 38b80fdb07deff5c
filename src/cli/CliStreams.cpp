#include "CliStreams.h"

#include "CliMessageText.h"

#include <QFile>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace huespan::CliStreams {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Waits until a non-blocking descriptor is ready instead of spinning on EAGAIN.
void waitFor(int descriptor, short events)
{
    pollfd ready{descriptor, events, 0};
    ::poll(&ready, 1, -1);
}

} // namespace

bool readInput(QByteArray& input, QString& reason, const std::function<bool(const QByteArray&)>& enough)
{
    std::array<char, 65536> buffer;
    for (;;) {
        const ssize_t count = ::read(STDIN_FILENO, buffer.data(), buffer.size());
        if (count > 0) {
            input.append(buffer.data(), count);
            if (enough(input))
                return true;
        } else if (count == 0) {
            return true;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            waitFor(STDIN_FILENO, POLLIN);
        } else if (errno != EINTR) {
            reason = systemReason(errno);
            return false;
        }
    }
}

bool writeOutput(const QByteArray& bytes, QString& reason)
{
    return writeTo(STDOUT_FILENO, bytes, reason);
}

bool writeTo(int descriptor, const QByteArray& bytes, QString& reason)
{
    qsizetype offset = 0;
    while (offset < bytes.size()) {
        const ssize_t count =
            ::write(descriptor, bytes.constData() + offset, static_cast<size_t>(bytes.size() - offset));
        if (count >= 0) {
            offset += count;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            waitFor(descriptor, POLLOUT);
        } else if (errno != EINTR) {
            reason = systemReason(errno);
            return false;
        }
    }
    return true;
}

void writeErrorLine(const QString& line)
{
    QFile error;
    if (!error.open(stderr, QIODevice::WriteOnly))
        return;
    error.write(CliMessageText::oneLine(line).toUtf8() + '\n');
    error.flush();
}

} // namespace huespan::CliStreams
