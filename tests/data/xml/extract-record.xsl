<?xml version="1.0" encoding="UTF-8"?>
<!-- One record of a MARCXML collection as a document of its own, the form a
     Z39.50 server sends for one record. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:marc="http://www.loc.gov/MARC21/slim">
  <xsl:output method="xml" encoding="UTF-8"/>
  <xsl:param name="n" select="1"/>
  <xsl:template match="/">
    <xsl:copy-of select="//marc:record[position() = $n]"/>
  </xsl:template>
</xsl:stylesheet>
