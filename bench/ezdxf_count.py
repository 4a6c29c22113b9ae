#!/usr/bin/python3
"""ezdxf reading the reader benchmark's file and counting its model-space entities."""
import sys
import warnings

warnings.filterwarnings("ignore")
import ezdxf  # noqa: E402

doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
n = len(msp)
attribs = sum(len(e.attribs) for e in msp.query("INSERT"))
print("ezdxf: %d entities, %d attributes" % (n, attribs))
