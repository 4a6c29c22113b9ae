#!/usr/bin/python3
"""ezdxf reading the reader benchmark's file and counting its model-space entities."""
import sys
import time
import warnings

warnings.filterwarnings("ignore")
import ezdxf  # noqa: E402

start = time.perf_counter()
doc = ezdxf.readfile(sys.argv[1])
seconds = time.perf_counter() - start
msp = doc.modelspace()
n = len(msp)
attribs = sum(len(e.attribs) for e in msp.query("INSERT"))
print("ezdxf: %d entities, %d attributes; read in %.3f s" % (n, attribs, seconds))
