// The object itself: defaults, copies, the setters.
#include "drvlib/CWinVexilDrv.h"

#include <cstring>

#include "DriverModule.h"

namespace {

// The channel record: only its first byte is used, the channel in use.
constexpr std::size_t kChannelRecordSize = 16;

unsigned char* NewChannelRecord(unsigned char channel) {
    auto* record = new unsigned char[kChannelRecordSize];
    std::memset(record, 0, kChannelRecordSize);
    record[0] = channel;
    return record;
}

constexpr int kLargestWriteSize = 4096;

}  // namespace

CWinVexilDrv::CWinVexilDrv()
    : m_hPort(drvlib::kInvalidHandle),
      m_nPortKind(0),
      m_hCbt(nullptr),
      m_nWaitTime(100),
      m_nCbtTimeOut(17),
      m_nWriteSize(1024),
      m_bUseOrlexPort(1),
      m_pChannel(NewChannelRecord(drvlib::kNoChannel)),
      m_bEcpDriver(0),
      m_bDataChannelOpen(0),
      m_bRetryForeignId(1) {}

// A copy holds the same port (one more reference in the port table, so the last holder closes it) and
// a channel record of its own.
CWinVexilDrv::CWinVexilDrv(const CWinVexilDrv& other)
    : m_hPort(other.m_hPort),
      m_nPortKind(other.m_nPortKind),
      m_hCbt(other.m_hCbt),
      m_nWaitTime(other.m_nWaitTime),
      m_nCbtTimeOut(other.m_nCbtTimeOut),
      m_nWriteSize(other.m_nWriteSize),
      m_strModel(other.m_strModel),
      m_bUseOrlexPort(other.m_bUseOrlexPort),
      m_pChannel(NewChannelRecord(other.m_pChannel[0])),
      m_bEcpDriver(other.m_bEcpDriver),
      m_bDataChannelOpen(other.m_bDataChannelOpen),
      m_bRetryForeignId(other.m_bRetryForeignId) {
    // An ECP-driver port is the driver's number, not one of the port table.
    if (drvlib::IsRealHandle(m_hPort) && !m_bEcpDriver) {
        drvlib::RetainPort(m_hPort);
    }
}

CWinVexilDrv& CWinVexilDrv::operator=(const CWinVexilDrv& other) {
    if (this == &other) {
        return *this;
    }
    if (drvlib::IsRealHandle(other.m_hPort) && !other.m_bEcpDriver) {
        drvlib::RetainPort(other.m_hPort);
    }
    if (drvlib::IsRealHandle(m_hPort) && !m_bEcpDriver) {
        drvlib::ReleasePort(m_hPort);
    }
    m_hPort = other.m_hPort;
    m_nPortKind = other.m_nPortKind;
    m_hCbt = other.m_hCbt;
    m_nWaitTime = other.m_nWaitTime;
    m_nCbtTimeOut = other.m_nCbtTimeOut;
    m_nWriteSize = other.m_nWriteSize;
    m_strModel = other.m_strModel;
    m_bUseOrlexPort = other.m_bUseOrlexPort;
    m_pChannel[0] = other.m_pChannel[0];
    m_bEcpDriver = other.m_bEcpDriver;
    m_bDataChannelOpen = other.m_bDataChannelOpen;
    m_bRetryForeignId = other.m_bRetryForeignId;
    return *this;
}

CWinVexilDrv::~CWinVexilDrv() {
    delete[] m_pChannel;
    if (drvlib::IsRealHandle(m_hPort) && !m_bEcpDriver) {
        drvlib::ReleasePort(m_hPort);
    }
}

void CWinVexilDrv::GetDeviceID(CString* pModel) {
    if (pModel != nullptr) {
        *pModel = m_strModel;
    }
}

int CWinVexilDrv::CheckDirectMode() {
    return m_bEcpDriver ? 0 : 1;
}

void CWinVexilDrv::SetWaitTime(int ms) {
    m_nWaitTime = ms;
}

void CWinVexilDrv::SetCBTTimeOut(int count) {
    m_nCbtTimeOut = count;
}

void CWinVexilDrv::SetWriteSize(int size) {
    m_nWriteSize = size > kLargestWriteSize ? kLargestWriteSize : size;
}
