// The release form's pages and the controls the engine reads, addressed by (page, id): the same
// id names different controls on different pages.
#pragma once

#include <cstdint>

enum FormPage : uint32_t {
    GeneralPage = 103,
    UploadPage = 104,
    VariousTextPage = 108,
};

namespace GeneralControl {
enum : uint32_t {
    TitleEdit = 1010,
    UploaderEdit = 1011,
    SoftwareEdit = 1012,
    UnpackedCheck = 1013,
    PackedEdit = 1014,
    UnpackedEdit = 1015,
    UnitList = 1016,
    SerialEdit = 1017,
    RegisteredToEdit = 1018,
    CrackedByEdit = 1019,
    KeygenByEdit = 1020,
    SerialCheck = 1026,
    RegisteredToCheck = 1027,
    CrackedByCheck = 1028,
    AlreadyCrackedRadio = 1029,
    CrackIncludedRadio = 1030,
    KeygenByCheck = 1031,
};
}

namespace UploadControl {
enum : uint32_t {
    FilesCheck = 1014,
    PerDayCheck = 1015,
    UploadedAsCombo = 1025,
    RepostCombo = 1026,
    PostNumberEdit = 1031,
    FilesEdit = 1032,
    PostNumberCheck = 1033,
    PresetsRadio = 1034,
    SfvCheck = 1035,
    NewsgroupsEdit = 1036,
    PerDayEdit = 1037,
    CueCheck = 1038,
    ManualCheck = 1039,
    CustomSupportEdit = 1041,
    FillWaitCheck = 1042,
    CustomTextRadio = 1043,
};
}

namespace VariousControl {
enum : uint32_t {
    CommentsEdit = 1043,
    ThanksEdit = 1044,
    InstallEdit = 1045,
    InstallCheck = 1047,
    CommentsCheck = 1048,
    ThanksCheck = 1049,
};
}
