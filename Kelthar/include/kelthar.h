#pragma once

// The one header a user of the device-core library includes: the entry that creates a core, and every
// interface and record the core hands out.

#include "ifpgainterface.h"

#include "ikelthar.h"

#include "iacousticcontrol.h"
#include "iadf4350.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "idlacontrol.h"
#include "imultiadf4350.h"
#include "iskycontrol.h"

#include "icalcfft.h"
#include "icalcmultifft.h"
#include "icommonfft.h"

#include "ianalysis.h"
#include "igsmanalysis.h"
#include "iknownfreqdetect.h"
#include "imonitoring.h"
#include "inoisequality.h"
#include "ipulsedetect.h"

#include "isignalrecorder.h"
#include "isignalsarchive.h"
#include "itemplates.h"

#include "iddcwavwriter.h"
#include "ideclicker.h"
#include "isoundengine.h"
#include "ivideoengine.h"

#include "idemosignal.h"
#include "iscaner.h"

#include "igarmconv.h"

#include "archivesignalentry.h"
#include "freqbanditem.h"
#include "generatorparams.h"

#define KELTHAR_API __attribute__((visibility("default")))

// Creates a new core and stores it in *out; false, with nothing created, when out is null. The caller
// destroys the core through its virtual destructor.
extern "C" KELTHAR_API bool FPGAQueryInterface(IKelthar** out);
