#pragma once

// Offered by the form that owns the serial scanner port (frmHelper::turnOnSerialScanner):
// told, once nothing else runs, when a scan has arrived and its bytes stopped coming. The scan
// waits in the helper form for modSymbolRoutines::captureSerialScan to take; one the owner does
// not take is dropped.
class IScanOwner
{
public:
    virtual ~IScanOwner() = default;
    virtual void serialScanComplete() = 0;
};
