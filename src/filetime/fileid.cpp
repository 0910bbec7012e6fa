#include "filetime/filetime.h"

FileId fileid(const BY_HANDLE_FILE_INFORMATION &information)
{
    return {information.dwVolumeSerialNumber, information.nFileIndexHigh,
            information.nFileIndexLow};
}
