#pragma once

// Offered by the form that owns the serial scanner port (frmHelper::turnOnSerialScanner):
// told when a scan has arrived and its bytes stopped coming. The bytes wait in the helper's
// port for modSymbolRoutines to read.
class IScanOwner
{
public:
    virtual ~IScanOwner() = default;
    virtual void serialScanComplete() = 0;
};
