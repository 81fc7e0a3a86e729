// The device-driver library: one printer port of the family, opened by port code or device path, with
// the packet transport's connection on it. Control commands travel on channel 2, print data and
// production commands on the data channel 0x40. Every member is exported (the Windows build exports
// all functions of the library; the Linux build gives them default visibility), the private ones too,
// so programs built against an older copy of this header keep linking.
//
// Results are signed: 0 (or a count) is success, a negative code names the failure; the codes of each
// operation are listed beside it. Texts cross as CString objects owned by the caller. One object is
// used from one thread; the module-wide bindings (transport library, setup library, ECP driver) are
// shared by every object of the process.
#pragma once

#include <cstdint>

#include "drvlib/VexilRecords.h"
#include "platform/CString.h"

class CWinVexilDrv {
public:
    CWinVexilDrv();
    // Copies share the port (the last one to let go closes it) and get a channel record of their own.
    CWinVexilDrv(const CWinVexilDrv& other);
    CWinVexilDrv& operator=(const CWinVexilDrv& other);
    // Frees the channel record and closes a port still held; a connection is not ended (Close does).
    ~CWinVexilDrv();

    // portCode = kind * 10 + number: kind 0 parallel (0 = LPT1), 1 USB (0 = first printer port found),
    // 2 IEEE 1394 (0 = first of units 1 to 4). 0 open; 1 open but the data channel refused; -1 no port
    // or no device ID; -5 parallel device of another maker; -6 no "D4" in the device ID; -11 no
    // transport library; -13 control probe failed; -50 kind unsupported on this system; -60 the maker's
    // port driver is missing (Windows 9x); -80 no connection; -90 ECP driver gave no port; -91 the
    // parallel port opens under neither name.
    int Open(int portCode, CString* pModel, int useOrlexPort);
    // An explicit device path, taken as USB. Codes as above; -1 also for an empty path.
    int Open(CString portName, CString* pModel);
    // Ends the connection and closes the port; always 0.
    int Close();
    void GetDeviceID(CString* pModel);
    // 1 when the port is an OS handle, 0 when it is driven through the ECP driver.
    int CheckDirectMode();
    void SetWaitTime(int ms);
    void SetCBTTimeOut(int count);
    // At most 4096.
    void SetWriteSize(int size);

    // Control commands on channel 2. 0 done, the exchange's negative code, -21 "NA", -22 "BUSY", -23 a
    // reply of an unexpected form.
    int Ctl_GetStatus(STATUSINF* status);
    int Ctl_GetDeviceID(CString* id);
    int Ctl_InkChange(int n);
    int Ctl_Cleaning(int n);
    int Ctl_InkRefill(int n);
    int Ctl_PrintNozzleCheck();
    int Ctl_EndInkSequence();
    int Ctl_TerminateCTExchange();
    int Ctl_ResumePaperOut();
    int Ctl_ResumePaperJam();
    int Ctl_MotorCurrentOff();
    int Ctl_Reset();
    int Ctl_ColdStart();
    int Ctl_TimerSet(int a, int b, int c, int d, int e, int f);
    int Ctl_InkChangeFlagClear();
    int Ctl_GetRollPaperMode();
    int Ctl_GetCTPostion();
    int Ctl_GetCRPosition();
    int Ctl_InkCheck();
    int Ctl_GetCTStatus(int n, CString* out);
    int Ctl_GetPaperSetting(int n, int* a, int* b);
    int Ctl_GetPaperInf(int n, PAPERINF* paper);
    int Ctl_GetCSICInf(CSICINF* csic);
    int Ctl_FlashControl(unsigned char n, CString* out);
    int Ctl_WriteEEP(unsigned char k1, unsigned char k2, unsigned char addr, unsigned char value);
    int Ctl_WriteEEP(unsigned char k1, unsigned char k2, unsigned char a1, unsigned char v1, unsigned char a2,
                     unsigned char v2, unsigned char a3, unsigned char v3, unsigned char a4, unsigned char v4,
                     unsigned char a5, unsigned char v5);
    int Ctl_WriteEEP2(unsigned char k1, unsigned char k2, unsigned char a1, unsigned char a2,
                      unsigned char value);
    int Ctl_Save(unsigned char k1, unsigned char k2);
    int Ctl_ResetEEP(unsigned char k1, unsigned char k2);
    int Ctl_ReplyEEP(unsigned char k1, unsigned char k2, unsigned char addr, unsigned char* out);
    int Ctl_ReplyEEP2(unsigned char k1, unsigned char k2, unsigned char a1, unsigned char a2,
                      unsigned char* out);
    int Ctl_Reply_CSIC(unsigned char k1, unsigned char k2, unsigned char a, unsigned char b,
                       unsigned char* out);

    // Production commands on the data channel 0x40. 0 done, the exchange's negative code, -50 on a port
    // driven through the ECP driver (nothing sent), -24 a reply without the operation's answer (the
    // value stays cleared).
    // -24: the reply lacks the operation's key, the ';' after it, or hexadecimal digits where a byte is
    // read (a silent printer's empty reply, another model's "NA;"). A byte value stays 0 and a text
    // stays empty, so that no empty reply is ever taken for the byte 0.
    int Prod_ReplyEEP_SIDM(unsigned char k1, unsigned char k2, unsigned long addr, unsigned char* value,
                           int wideAddress);
    int Prod_ReplyRomVer2(unsigned char k1, unsigned char k2, CString* version);
    int Prod_ReplySens(unsigned char k1, unsigned char k2, unsigned char* state);
    int Prod_ReplyEEP(unsigned char k1, unsigned char k2, unsigned char addr, unsigned char* value);
    int Prod_ReplyEEP2(unsigned char k1, unsigned char k2, unsigned char a1, unsigned char a2,
                       unsigned char* value);
    int Prod_ReplyEEP_LFP(unsigned char k1, unsigned char k2, unsigned long addr, unsigned char* value);
    int Prod_ReplyFlash(unsigned char k1, unsigned char k2, unsigned char a, unsigned char b,
                        unsigned char* value);
    int Prod_ReplyCSIC(unsigned char k1, unsigned char k2, int a, unsigned char b, unsigned char* value);
    int Prod_ReplyTimerIC(unsigned char k1, unsigned char k2, CString* text);
    int Prod_ReplyACK(unsigned char k1, unsigned char k2, CString* text);
    int Prod_ReplyHeadTemp(CString* text);
    int Prod_ReplyRomVer(CString* text);

    // Raw data on the channel in the channel byte (the data channel 0x40 unless a control exchange
    // borrows it). Send: the last write's non-negative result; -13 data channel refused, -16 retries
    // used up, -18 the connection is gone. SendEx sends data[start] to data[end - 1] in pieces of the
    // write size; 0 when all went. SendFile also -30 (no file status), -31 offset past the end, -50
    // empty path. SendInitSignal: 0 or -2.
    int Send(unsigned char* data, int len);
    int SendEx(unsigned char* data, unsigned long end, unsigned long start, unsigned long* sent);
    int SendFile(CString path, unsigned long offset, unsigned long* sent);
    int SendInitSignal();

private:
    int CheckDeviceID(CString* pModel, int* pD4, int* pSpc);
    int IsKXUSBHDD3();
    std::int32_t OpenKxusbHDD3(CString portName);
    std::int32_t OpenIEEE1394(CString portName);
    int Load_SETUPAPI();
    void Free_SETUPAPI();
    void Local_Close(std::int32_t handle);
    int CBT_Init();
    void CBT_Close();
    // The end of both opens on a parallel or USB port: the transport library, the connection, the
    // control probe on channel 2 and the data channel 0x40.
    int StartConnection(CString* pModel);
    int Ctl_SendReceive(unsigned char* cmd, int len, CString* reply);
    int Prod_SendReceive(unsigned char* cmd, int len, CString* reply);
    // The waiting reply into a buffer of 256 bytes: its length, a negative transport result, or -18.
    int Receive(unsigned char* buffer);

    // The port: a handle of the library's port table (see PortHandles), -1 (invalid) or 0 when none.
    std::int32_t m_hPort;
    int m_nPortKind;            // 0 parallel, 1 USB, 2 IEEE 1394
    void* m_hCbt;               // the transport library's connection; null when none
    int m_nWaitTime;            // ms between a command and the read of its reply
    int m_nCbtTimeOut;          // one-second retries of a refused write
    int m_nWriteSize;           // largest piece of SendEx and SendFile
    CString m_strModel;         // "MFG value" + " " + "MDL value" of the device ID
    int m_bUseOrlexPort;        // Open's third argument; 0 after Open by path
    unsigned char* m_pChannel;  // heap record; its first byte is the channel in use (0, 2 or 0x40)
    int m_bEcpDriver;           // the parallel port is driven through the ECP driver
    int m_bDataChannelOpen;     // the data channel 0x40 is open
    int m_bRetryForeignId;      // retry a parallel device ID of another maker (cleared after -5)
};
