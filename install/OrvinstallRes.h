// String resource numbers of the installer units (Orvdelphiversions, Orvwise), shared by
// Orvinstall.rc and the units. Strings are kept in blocks of 16 numbers; a block may be defined by
// only one resource file of a module. The units share the block 65504-65519, and Orvwise alone
// uses 65520-65535, so all their strings live in Orvinstall.rc.
#pragma once

#define SOrvWiseIndexOutOfBounds 65504
#define SOrvDelphiVersionsNoneAvailable 65505
#define SOrvDelphiVersionsOutOfBounds 65506

#define SOrvWiseNilParams 65528
#define SOrvWiseBadRecordLength 65529
#define SOrvWiseNoSuchVar 65530
#define SOrvWiseSetMissingVar 65531
#define SOrvWiseAddExistingVar 65532
#define SOrvWiseTooManyVars 65533
#define SOrvWiseNameTooLong 65534
#define SOrvWiseValueTooLong 65535
