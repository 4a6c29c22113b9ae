"""What both benchmark inputs start from: an R2000 document as the host writes a survey drawing."""
import ezdxf


def survey_document(layers):
    """Code page 932, the given layers (colours 1, 2, … in order; layer 0 is there already) and
    the boundary-mark block 境界標 with its two attributes."""
    doc = ezdxf.new("R2000")
    doc.header["$DWGCODEPAGE"] = "ANSI_932"
    doc.encoding = "cp932"
    for i, name in enumerate(layers):
        if name != "0":
            doc.layers.add(name, color=i + 1)
    mark = doc.blocks.new("境界標")
    mark.add_circle((0, 0), 0.2)
    mark.add_attdef("点名", (0.3, 0.3), dxfattribs={"height": 0.25})
    mark.add_attdef("座標", (0.3, -0.3), dxfattribs={"height": 0.25})
    return doc
