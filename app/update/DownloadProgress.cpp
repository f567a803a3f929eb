#include "app/update/DownloadProgress.h"

#include <climits>

DownloadProgress::DownloadProgress(long long contentLength)
    : m_expectedPieces(contentLength > 0 ? contentLength / kDownloadPieceSize : 0)
{
}

std::optional<int> DownloadProgress::AfterPiece()
{
    if (m_sum <= LLONG_MAX - 90)
        m_sum += 90;
    if (m_expectedPieces < 1)
        return std::nullopt;
    const long long value = kProgressFileCreated + m_sum / m_expectedPieces;
    return value > kProgressDone ? kProgressDone : static_cast<int>(value);
}
