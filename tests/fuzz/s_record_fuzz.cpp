// S-record files as the user gives them: decoded for the largest chip, and what is accepted
// written and read back.
#include "buffers/s_record.h"
#include "record_file_round_trip.h"

BURNLAB_RECORD_FILE_FUZZ_TARGET(decodeSRecords, encodeSRecords)
